#!/usr/bin/env bash
# Shows the Graph command working on a fresh install, and draws docs/screenshots/graph.png:
# builds the program, installs it into a throw-away home folder (a per-user install), starts
# the installed launcher on a virtual X display, and goes through it with the keyboard as a
# user would: Continue on step 1 (unpaired t test), SD 10 and Calculate on step 2, then
# File > Graph in Vorla on the table. The graph viewer's window is saved as the picture.
# Usage: scripts/graph-screenshot.sh [BUILD_FOLDER] (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
scripts/deps.sh xvfb xdotool imagemagick x11-utils
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build"

work="$(mktemp -d)"
display=":$((90 + RANDOM % 9))"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
home="$work/home"
mkdir -p "$home" "$work/run"
chmod 700 "$work/run"

echo "\$ HOME=$home cmake --install $build --prefix $home/.local"
HOME="$home" XDG_CONFIG_HOME="" cmake --install "$build" --prefix "$home/.local" | tail -3

Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
sleep 1
export DISPLAY="$display" HOME="$home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$home/.config"
unset QT_QPA_PLATFORM ZENTRIMA_MACHINE_INI
ZENTRIMA_NO_ABOUT=1 "$home/.local/bin/zentrima" >"$work/zentrima.log" 2>&1 &
pids+=($!)

# Waits for a window whose title matches, and prints its id.
wait_window() {
    for _ in $(seq 100); do
        if id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)" && [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "no window '$1' appeared" >&2
    return 1
}
main="$(wait_window 'Zentrima')"
xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"
sleep 0.5
xdotool key --delay 150 Return
sleep 0.5
xdotool type --delay 50 10
xdotool key --delay 150 Return
sleep 1
xdotool key --delay 200 alt+f Down Down Down Return
graph="$(wait_window 'Graphing Zentrima results')"
sleep 1
echo "\$ pgrep -a zentrima-graph"
pgrep -a zentrima-graph
mkdir -p docs/screenshots
import -window "$graph" docs/screenshots/graph.png
echo "wrote docs/screenshots/graph.png"
