#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the desktop program: from launch until its main window is on a
# (virtual) screen, and the memory it holds 3 s after launch (VmRSS); over
# several runs, each run and the medians. Each step on its own:
# build/bench/startup_bench.
#   bash bench/startup.sh [path to the zenthra binary, default build/zenthra] [runs, default 15]
# Needs Xvfb, xdotool and xdpyinfo (Debian: xvfb xdotool x11-utils).
set -euo pipefail
binary=$(realpath "${1:-build/zenthra}")
runs=${2:-15}

# A home of its own: no saved birth to restore, no other copy's lock.
home=$(mktemp -d)
export XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache TMPDIR=$home
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$home/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$home"' EXIT
for _ in $(seq 100); do [ -s "$home/display" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$home/display")
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

times=()
memory=()
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$binary" 2>/dev/null &
    app=$!
    # Poll often: xdotool's own --sync waits in half seconds.
    until xdotool search --onlyvisible --name 'Zenthra v1.35' >/dev/null 2>&1; do
        if ! kill -0 "$app" 2>/dev/null || (( $(date +%s%N) - start > 20000000000 )); then
            echo "no main window within 20 s" >&2
            exit 1
        fi
        sleep 0.005
    done
    end=$(date +%s%N)
    sleep "$(awk -v ns=$(( start + 3000000000 - $(date +%s%N) )) 'BEGIN { print (ns > 0 ? ns / 1e9 : 0) }')"
    memory+=($(awk '/^VmRSS:/ { print $2 }' "/proc/$app/status"))
    kill "$app"
    wait "$app" 2>/dev/null || true
    times+=($(( (end - start) / 1000000 )))
    printf '%s ms, %s MB\n' "${times[-1]}" $(( ${memory[-1]} / 1024 ))
done
echo "median $(printf '%s\n' "${times[@]}" | median) ms to the window," \
     "$(( $(printf '%s\n' "${memory[@]}" | median) / 1024 )) MB resident 3 s after launch"
