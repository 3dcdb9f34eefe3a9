#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time of the desktop program: from launch until its main window is
# on a (virtual) screen, over several runs; prints each run and the median.
#   bash bench/startup.sh [path to the zenthra binary, default build/zenthra] [runs, default 15]
set -euo pipefail
binary=${1:-build/zenthra}
runs=${2:-15}
display=:${ZENTHRA_DISPLAY:-79}
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

times=()
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$binary" 2>/dev/null &
    app=$!
    # Poll often: xdotool's own --sync waits in half seconds.
    until xdotool search --onlyvisible --name 'Zenthra v1.35' >/dev/null 2>&1; do sleep 0.005; done
    end=$(date +%s%N)
    kill "$app"
    wait "$app" 2>/dev/null || true
    times+=($(( (end - start) / 1000000 )))
done
printf '%s ms\n' "${times[@]}"
printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print "median " a[int((NR + 1) / 2)] " ms" }'
