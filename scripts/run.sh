#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
# Without arguments, show the command-line tool at work on an example; otherwise pass the
# arguments on (for example: scripts/run.sh power paired --pairs 8 --sd 1).
if (($# == 0)); then
    set -- sample unpaired --sd 1
fi
exec build/src/cli/zentrima-cli "$@"
