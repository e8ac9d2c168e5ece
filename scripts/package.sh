#!/usr/bin/env bash
# Builds the Debian package zentrima_2.00_<arch>.deb from a Release build.
# Usage: scripts/package.sh [OUTPUT_FOLDER] (default: the current folder)
set -euo pipefail
out="$(realpath -m "${1:-.}")"
cd "$(dirname "$0")/.."
scripts/deps.sh dpkg-dev
# Debian's hardening (stack protector, fortified functions, read-only relocations bound at
# start), without its -g -O2, which the Release build type sets its own way.
flags() { DEB_BUILD_MAINT_OPTIONS="hardening=+all" DEB_CXXFLAGS_MAINT_STRIP="-g -O2" dpkg-buildflags --get "$1"; }
cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTRIMA_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" -DCMAKE_SHARED_LINKER_FLAGS="$(flags LDFLAGS)"
cmake --build build-rel
mkdir -p "$out"
cpack --config build-rel/CPackConfig.cmake -G DEB -B "$out"
rm -rf "$out/_CPack_Packages"
ls -l "$out"/zentrima_2.00_*.deb
