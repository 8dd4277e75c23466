#!/usr/bin/env bash
# The sound example on a virtual display (silent audio device): its WAV files come from the
# archive packed into the executable; Space plays the beep on a channel and lights the beep
# box while it plays; M starts looping music (the music box stays lit) and M again stops it.
set -euo pipefail
program=$1
shots=${2:-}
source "$(dirname "$0")/virtual_display.sh"
source "$(dirname "$0")/screenshots.sh"

[ -e "$(dirname "$program")/Media" ] && fail "a Media folder beside the packed example would hide the archive"
TMPDIR="$work/" stdbuf -oL "$program" >"$work/out.txt" 2>&1 &
pid=$!
window=$(find_window Sound $pid)
[ -n "$window" ] || fail "window did not appear: $(cat "$work/out.txt")"
xdotool windowfocus --sync "$window"

grey="#303030"
green="#00C000"
beep_box=60x60+55+105
music_box=60x60+205+105
box_is() { [ "$(count_colour "$1" "$2")" -eq 3600 ]; }
await box_is "$beep_box" "$grey" || fail "the beep box is not grey at the start"
box_is "$music_box" "$grey" || fail "the music box is not grey at the start"
grep -q "cannot load" "$work/out.txt" && fail "the packed beep was not found"

# The beep lasts 0.2 s: press and look at once, a few times over.
lit=no
for _ in 1 2 3 4 5; do
  xdotool key space
  take_shot
  box_is "$beep_box" "$green" && { lit=yes; break; }
  sleep 0.3
done
[ "$lit" = yes ] || fail "the beep box never lit while the beep played"
grep -qE "^beep on channel [0-9]+$" "$work/out.txt" || fail "Space gave no channel"
await box_is "$beep_box" "$grey" || fail "the beep box stays lit after the beep ended"

xdotool key m
await box_is "$music_box" "$green" || fail "M did not start the music"
sleep 2.5  # longer than the 2 s tune: looping keeps it playing
take_shot
box_is "$music_box" "$green" || fail "the music did not loop"
keep_shot example-sound
xdotool key m
await box_is "$music_box" "$grey" || fail "M again did not stop the music"
grep -qx "music on" "$work/out.txt" && grep -qx "music off" "$work/out.txt" || fail "music on/off not reported"

finish_with_escape
echo "packed sounds play, the boxes follow them, music loops and stops"
