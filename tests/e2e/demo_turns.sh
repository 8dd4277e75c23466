#!/usr/bin/env bash
# The demo on a virtual display: the labels start in the upright layout, a held Right arrow
# turns the layout once by 90 degrees (the program keeps running while the key is down),
# and Escape ends the program with exit code 0.
set -euo pipefail
program=$1
source "$(dirname "$0")/virtual_display.sh"
pid=""
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; kill $xvfb_pid 2>/dev/null || true; rm -rf "$work"' EXIT

TMPDIR="$work/" "$program" >"$work/out.txt" 2>&1 &
pid=$!
window=$(find_window Zelmor)
[ -n "$window" ] || { echo "window did not appear"; exit 1; }
xdotool windowfocus --sync "$window"
sleep 0.5

# The brightest red value (0..1) in a box of the window: label text is white, lines are grey.
brightest() {
  /usr/bin/import -window "$window" "$work/shot.png"
  /usr/bin/convert "$work/shot.png" -crop "$1" +repage -format '%[fx:maxima.r]' info:
}
is_text() { awk -v v="$1" 'BEGIN { exit !(v > 0.9) }'; }

top_left_row=50x20+40+2     # "Up Left" in the upright layout
right_column=20x50+776+30   # "Up Left" turned by 90 degrees

is_text "$(brightest $top_left_row)" || { echo "no upright label at the top left"; exit 1; }
! is_text "$(brightest $right_column)" || { echo "turned label before any key"; exit 1; }

xdotool keydown Right
sleep 0.6
xdotool keyup Right
sleep 0.5
is_text "$(brightest $right_column)" || { echo "the layout did not turn"; exit 1; }
! is_text "$(brightest $top_left_row)" || { echo "the layout turned more or less than once"; exit 1; }

xdotool key Escape
for _ in $(seq 200); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
rc=0
wait $pid || rc=$?
pid=""
[ "$rc" -eq 0 ] || { echo "exit code $rc"; exit 1; }
grep -q '^exit$' "$work/out.txt" || { echo "no exit line"; exit 1; }
grep -q -- '-End On Line' "$work/ErrorLog.txt" || { echo "no end information in the error log"; exit 1; }
echo "the demo turns once per key press and ends on Escape"
