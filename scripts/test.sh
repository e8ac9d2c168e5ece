#!/usr/bin/env bash
# Builds a separate test build with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZENTRIMA_SANITIZE=ON
cmake --build build-test
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure -j"$(nproc)"
