#!/usr/bin/env bash
# Builds the programs and starts the desktop program; arguments are passed on to it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
# Graph finds this build's viewer unless a registry file is named already.
export ZENTRIMA_MACHINE_INI="${ZENTRIMA_MACHINE_INI:-$PWD/build/machine.ini}"
exec build/src/ui/zentrima "$@"
