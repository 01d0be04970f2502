#!/usr/bin/env bash
# Saves a PNG of the program's window, run under a private Xvfb display.
# Usage: tools/screenshot.sh PROGRAM OUTPUT.png
set -euo pipefail
program=$1
output=$2

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$program" >/dev/null 2>&1 &
program_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^MoxiloV1\.0$' | head -n1)
sleep 1  # let the first paint finish
import -window "$window" "$output"
echo "saved $output"
