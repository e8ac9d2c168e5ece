#!/usr/bin/env bash
# Redraws the pictures of the help book into resources/help/images (the PNG files are kept in
# the repository; run this after changing scripts/help-images/draw_help_images.cpp).
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(mktemp -d)"
trap 'rm -rf "$build"' EXIT
cmake -S scripts/help-images -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" >/dev/null
mkdir -p resources/help/images
QT_QPA_PLATFORM=offscreen "$build/draw_help_images" resources/help/images
