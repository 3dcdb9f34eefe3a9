#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Zenthra under a virtual X server, enters one birth with the keyboard
# as a user would (picking the place from the atlas), and saves screenshots of
# the main window and of the result window.
#   bash tools/screenshots.sh [output folder, default docs]
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" xvfb x11-utils xdotool imagemagick

out=${1:-docs}
mkdir -p "$out"
cmake -S . -B build -G Ninja -DZENTHRA_TESTS=OFF -DZENTHRA_BENCH=OFF >/dev/null
cmake --build build --target zenthra

display=:${ZENTHRA_DISPLAY:-77}
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp &
xvfb=$!
app=
data_home=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    [ -n "$data_home" ] && rm -rf "$data_home"
}
trap cleanup EXIT
export DISPLAY=$display
# A store of births and settings of its own, so the window opens empty and
# tropical as for a new user.
data_home=$(mktemp -d)
export XDG_DATA_HOME=$data_home XDG_CONFIG_HOME=$data_home/config
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

./build/zenthra &
app=$!
main=$(xdotool search --sync --onlyvisible --name 'Zenthra v1.35' | head -n 1)
sleep 1

# There is no window manager: a click gives the window the keyboard. The
# click lands on the introduction text, so the name box keeps its focus.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 45)) click 1
sleep 0.3
xdotool type --delay 60 'ADA LOVELACE'
xdotool key Tab && xdotool type --delay 60 'August'
xdotool key Tab && xdotool type --delay 120 '15'
xdotool key Tab && xdotool type --delay 120 '1947'
xdotool key alt+c && xdotool type --delay 80 'Delhi'
sleep 1
xdotool key Down Return
sleep 1
/usr/bin/import -window "$main" "$out/screenshot-main.png"

xdotool key alt+r
sleep 1
result=$(xdotool search --sync --onlyvisible --name 'Zenthra v1.35' | head -n 1)
/usr/bin/import -window "$result" "$out/screenshot-result.png"
echo "Saved $out/screenshot-main.png and $out/screenshot-result.png"
