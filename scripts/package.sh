#!/usr/bin/env bash
# Builds the Debian package zentrima_2.00_<arch>.deb from a Release build.
# Usage: scripts/package.sh [OUTPUT_FOLDER] (default: the current folder)
set -euo pipefail
out="$(realpath -m "${1:-.}")"
cd "$(dirname "$0")/.."
scripts/deps.sh dpkg-dev
cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTRIMA_TESTS=OFF
cmake --build build-rel
mkdir -p "$out"
cpack --config build-rel/CPackConfig.cmake -G DEB -B "$out"
rm -rf "$out/_CPack_Packages"
ls -l "$out"/zentrima_2.00_*.deb
