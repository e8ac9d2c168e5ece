#!/usr/bin/env bash
# The CI path: builds a separate test build with AddressSanitizer and UndefinedBehaviorSanitizer,
# with every warning an error, and runs every test through CTest (the layering and format
# checks included). It installs the test tools and the locale the tests need first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --test
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZENTRIMA_SANITIZE=ON -DZENTRIMA_WERROR=ON
cmake --build build-test
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure -j"$(nproc)"
