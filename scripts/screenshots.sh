#!/usr/bin/env bash
# The pictures of the README: runs the desktop program offscreen through steps 1 to 4 of
# one analysis (the paired t test, SD 10 and r 0.5, a click on a table cell) and saves
# docs/screenshots/step1.png to step4.png, and the step-4 report printed on A4, its pages
# converted from the PDF to docs/screenshots/printed-1.png and printed-2.png. Settings and temporary files go to a
# throw-away folder, so nothing of the user's is read or changed. The drawing program,
# tools/screenshots, is built for this only; the shipped program has no such hook.
# Usage: scripts/screenshots.sh [BUILD_FOLDER] (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
scripts/deps.sh poppler-utils
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTRIMA_TESTS=OFF
fi
cmake --build "$build" --target zentrima-step-shots
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/run"
XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen \
    "$build/tools/screenshots/zentrima-step-shots" docs/screenshots
# The printed pages, at a resolution that reads on screen.
rm -f docs/screenshots/printed-*.png
pdftoppm -png -r 60 docs/screenshots/printed.pdf docs/screenshots/printed
rm docs/screenshots/printed.pdf
ls docs/screenshots/step*.png docs/screenshots/printed-*.png
