#!/usr/bin/env bash
# Draws the help window showing the power tutorial into docs/screenshots/help.png (offscreen,
# no display needed). Builds the help book and the small drawing program first.
# Usage: scripts/help-screenshot.sh [BUILD_FOLDER] (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
scripts/deps.sh
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTRIMA_TESTS=OFF
fi
cmake --build "$build" --target zentrima-help-shot zentrima_help_book
mkdir -p docs/screenshots
QT_QPA_PLATFORM=offscreen "$build/tools/screenshots/zentrima-help-shot" \
    "$build/src/ui/Zentrima.rcc" docs/screenshots/help.png 1720
echo "wrote docs/screenshots/help.png"
