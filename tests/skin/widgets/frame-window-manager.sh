#!/usr/bin/env bash
# The skinned frame under a real window manager (qelvo_add_x11_test ... WM
# openbox): a caption drag moves the window through the window manager, a caption double click maximizes to the work area (here the whole
# screen less a pixel on each side) and a second one restores, and a drag on
# the bottom-right corner resizes it.
#
# Usage (on an X server with openbox): frame-window-manager.sh <skingallery>
# Exits 77 (skipped) when xdotool or xwininfo is not installed.
set -euo pipefail
gallery=$1
for tool in xdotool xwininfo; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (scripts/install-deps)"; exit 77; }
done
"$gallery" --kind main 2>/dev/null &
gallery_pid=$!
trap 'kill "$gallery_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  wid=$(xdotool search --name "Qelvo" 2>/dev/null | head -1 || true)
  [[ -n $wid ]] && break
  sleep 0.1
done
[[ -n ${wid:-} ]] || { echo "no window"; exit 1; }
sleep 0.5

geometry() { xwininfo -id "$wid" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
  /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'; }
expect() {
  local what=$1 want=$2 got
  got=$(geometry)
  if [[ $got != "$want" ]]; then echo "$what: window at $got, expected $want"; exit 1; fi
  echo "$what: $got"
}

expect "shown" "40 40 314 333"
# The move is handed over at the first movement, one pixel into the drag; the
# window manager moves from the pressed point.
xdotool mousemove 120 60 mousedown 1 sleep 0.2 mousemove 121 60 sleep 0.2 mousemove 221 120 sleep 0.3 mouseup 1
sleep 0.5
expect "caption dragged by (100, 60)" "140 100 314 333"
xdotool mousemove 200 115 click --repeat 2 --delay 80 1
sleep 0.7
expect "double click" "1 1 1022 766"
xdotool mousemove 100 15 click --repeat 2 --delay 80 1
sleep 0.7
expect "second double click" "140 100 314 333"
# Two pixels inside the bottom-right corner (453, 432).
xdotool mousemove 452 431 mousedown 1 sleep 0.2 mousemove 472 451 sleep 0.2 mousemove 512 471 sleep 0.3 mouseup 1
sleep 0.5
expect "corner dragged by (60, 40)" "140 100 374 373"
