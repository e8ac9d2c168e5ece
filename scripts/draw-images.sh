#!/usr/bin/env bash
# Redraws the tool-bar images, the window icon and the about-box picture into
# resources/images (the PNG files are kept in the repository; run this after changing
# scripts/images/draw_images.cpp).
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(mktemp -d)"
trap 'rm -rf "$build"' EXIT
cmake -S scripts/images -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" >/dev/null
QT_QPA_PLATFORM=offscreen "$build/draw_images" resources/images
