#!/usr/bin/env bash
# Builds the Debian package zentrima_2.00_<arch>.deb from a Release build. Two builds of one
# commit give the same package, byte for byte: every time stamp is the release's date (the
# newest change-log entry) unless SOURCE_DATE_EPOCH names another, and no path of the
# checkout or the build folder gets into the programs.
# Usage: scripts/package.sh [OUTPUT_FOLDER [BUILD_FOLDER]] (default: the current folder and
# build-rel)
set -euo pipefail
out="$(realpath -m "${1:-.}")"
cd "$(dirname "$0")/.."
build="${2:-build-rel}"
scripts/deps.sh dpkg-dev
SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l packaging/debian/changelog -STimestamp)}"
# Qt's resource compiler dates the help book's files by this one rather than by the files.
export SOURCE_DATE_EPOCH QT_RCC_SOURCE_DATE_OVERRIDE="$SOURCE_DATE_EPOCH"
# Debian's hardening (stack protector, fortified functions, read-only relocations bound at
# start) and its reproducible-build flags (the checkout's path mapped away), without its
# -g -O2, which the Release build type sets its own way.
flags() {
    DEB_BUILD_MAINT_OPTIONS="hardening=+all reproducible=+all" DEB_CXXFLAGS_MAINT_STRIP="-g -O2" \
        dpkg-buildflags --get "$1"
}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTRIMA_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS) -ffile-prefix-map=$(realpath -m "$build")/=" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" -DCMAKE_SHARED_LINKER_FLAGS="$(flags LDFLAGS)"
cmake --build "$build"
mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out"
rm -rf "$out/_CPack_Packages"
ls -l "$out"/zentrima_2.00_*.deb
