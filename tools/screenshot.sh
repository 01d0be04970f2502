#!/usr/bin/env bash
# Saves a PNG of the program's window in use, under a private Xvfb display:
# page 1 of the demo site loaded, a face previewed, two captions typed.
# Usage: tools/screenshot.sh BUILD_DIR OUTPUT.png
set -euo pipefail
bin=$1/bin
output=$2
port=8377  # the site root the program is built against by default

Xvfb :$((90 + RANDOM % 400)) -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>/tmp/moxilo-shot.$$ 2>/dev/null &
xvfb_pid=$!
site_pid=""
program_pid=""
cleanup() {
    for pid in $program_pid $site_pid $xvfb_pid; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -f /tmp/moxilo-shot.$$
}
trap cleanup EXIT
for _ in $(seq 50); do [ -s /tmp/moxilo-shot.$$ ] && break; sleep 0.1; done
export DISPLAY=:$(cat /tmp/moxilo-shot.$$)

"$bin/moxilo-demo-site" --port "$port" >/dev/null &
site_pid=$!
for _ in $(seq 50); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break; sleep 0.1; done

"$bin/moxilo" >/dev/null 2>&1 &
program_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^MoxiloV1\.0$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$window")"
at() { xdotool mousemove $((X + $1)) $((Y + $2)) "${@:3}"; }
sleep 1  # the first paint
at 376 24 click 1; sleep 1                          # load page 1
at 100 46 click 1; sleep 1                          # the first face
at 200 281 click 1; xdotool type --delay 40 "好"    # caption 1
at 200 318 click 1; xdotool type --delay 40 "今天也要加油"  # caption 2
at 300 229 click 1; sleep 0.5                       # select caption 2: handles show
import -window "$window" "$output"
echo "saved $output"
