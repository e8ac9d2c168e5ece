#!/usr/bin/env bash
# Builds the programs and starts the desktop program; arguments are passed on to it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
exec build/src/ui/zentrima "$@"
