#!/usr/bin/env bash
# The sprite example on a virtual display: the ship starts in the middle, a held Right arrow
# moves it right and a held Up arrow moves it up (y grows downwards), the screen edge stops
# it, and Escape ends the program with exit code 0. A screenshot is kept in $2 when given.
set -euo pipefail
program=$1
shots=${2:-}
source "$(dirname "$0")/virtual_display.sh"
source "$(dirname "$0")/screenshots.sh"

TMPDIR="$work/" stdbuf -oL "$program" >"$work/out.txt" 2>&1 &
pid=$!
window=$(find_window Sprite $pid)
[ -n "$window" ] || fail "window did not appear: $(cat "$work/out.txt")"
xdotool windowfocus --sync "$window"

yellow="#FFFF00"
# The ship's yellow spans rows 9..30 of its 32x32 picture; row 20 of the picture is solid
# across the middle. Its leftmost yellow pixel on a screen row is where it stands.
ship_column() { leftmost "$1" "$yellow"; }

await has_colour_in_row 124 "$yellow" || fail "no yellow ship in the middle row"
start=$(ship_column 124)
[ "$start" -ge 140 ] && [ "$start" -le 160 ] || fail "ship starts at x=$start, not in the middle"
has_other_than 310x14+4+224 "#000000" || fail "no help text in the bottom bar"
keep_shot example-sprite

xdotool keydown Right; sleep 0.5; xdotool keyup Right
sleep 0.3
take_shot
moved=$(ship_column 124)
[ -n "$moved" ] && [ "$moved" -gt $((start + 20)) ] || fail "Right did not move the ship: $start -> ${moved:-gone}"

# Held long enough to reach the top: the ship stops at y = 0, so row 20 holds it.
xdotool keydown Up; sleep 2; xdotool keyup Up
sleep 0.3
take_shot
has_colour_in_row 20 "$yellow" || fail "Up did not bring the ship to the top edge"
has_colour_in_row 124 "$yellow" && fail "the ship is still in the middle row after Up"

finish_with_escape
echo "the ship moves with the arrow keys and stops at the edge; Escape ends"
