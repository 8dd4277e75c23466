#!/usr/bin/env bash
# The demo on a virtual display, driven with synthetic keys:
#  - the frame lines, the cross, the white dot of "East" and the angle text are where they belong;
#  - a held Right arrow turns the layout once, and only after it is let go;
#  - each press turns it by 90 degrees, four presses come back to 0, Left at 0 gives 270;
#  - Escape ends the program with exit code 0 and the end information in the error log.
# A screenshot of each angle is kept in the directory given as the second argument.
set -euo pipefail
program=$1
shots=${2:-}
source "$(dirname "$0")/virtual_display.sh"
fail() { echo "$*"; exit 1; }

TMPDIR="$work/" "$program" >"$work/out.txt" 2>&1 &
pid=$!
window=$(find_window Zelmor $pid)
[ -n "$window" ] || fail "window did not appear: $(cat "$work/out.txt")"
xdotool windowfocus --sync "$window"
sleep 0.5

shot="$work/shot.png"
take_shot() { /usr/bin/import -window "$window" "$shot"; }
# Takes screenshots until the check given holds (a loaded machine may be slow to draw).
await() {
  for _ in $(seq 40); do
    take_shot
    "$@" && return 0
    sleep 0.25
  done
  return 1
}
keep_shot() { [ -z "$shots" ] || { mkdir -p "$shots" && cp "$shot" "$shots/demo-angle-$1.png"; }; }
grey_at() { /usr/bin/convert "$shot" -format "%[fx:int(255*p{$1,$2}.r+0.5)]" info:; }
# The brightest red value (0..1) in a box: label text is white, lines are grey.
brightest() { /usr/bin/convert "$shot" -crop "$1" +repage -format '%[fx:maxima.r]' info:; }
is_text() { awk -v v="$1" 'BEGIN { exit !(v > 0.9) }'; }

# The angle text "Angle: N" printed at (100, 100): nothing else ever reaches this box.
angle_box=240x34+95+92
save_angle_text() { /usr/bin/convert "$shot" -crop "$angle_box" +repage "$work/angle-$1.png"; }
angle_text_width() { /usr/bin/convert "$work/angle-$1.png" -trim -format '%w' info:; }
angle_text_now() { save_angle_text now && ! same_angle_text now "$1"; }
angle_text_is() { save_angle_text now && same_angle_text now "$1"; }
text_at() { is_text "$(brightest "$1")"; }
same_angle_text() {
  local differing
  differing=$(/usr/bin/compare -metric AE "$work/angle-$1.png" "$work/angle-$2.png" null: 2>&1 || true)
  [ "$differing" = "0" ]
}

top_left_row=50x20+40+2     # "Up Left" in the upright layout
right_column=20x50+776+30   # "Up Left" turned by 90 degrees

# Angle 0: grey frame lines, the dark grey cross, the dot, the text.
await text_at $top_left_row || fail "no upright label at the top left"
keep_shot 0
for point in "250 10" "550 10" "789 200" "789 450" "250 629" "550 629" "10 200" "10 450"; do
  [ "$(grey_at $point)" = 100 ] || fail "no grey frame line at $point"
done
for point in "400 200" "400 450" "200 320" "600 320"; do
  [ "$(grey_at $point)" = 50 ] || fail "no dark grey cross line at $point"
done
# The dot sits at x = 799 - m on the centre row with m between 1 and 30, right of "East":
# the rightmost white pixel of the row, with the dark grey line going on beyond it.
row=$(/usr/bin/convert "$shot" -crop 31x1+769+320 +repage -depth 8 gray:- | od -An -v -tu1)
read -r -a values <<<"$(echo $row)"
dot=-1
for i in "${!values[@]}"; do [ "${values[$i]}" = 255 ] && dot=$i; done
[ "$dot" -ge 1 ] || fail "no white dot of East on the centre row"
for ((i = dot + 1; i < ${#values[@]}; i++)); do
  [ "${values[$i]}" = 50 ] || fail "the white dot of East is not the end of its row"
done
is_text "$(brightest 100x30+100+95)" || fail "no angle text near (100, 100)"
is_text "$(brightest $top_left_row)" || fail "no upright label at the top left"
! is_text "$(brightest $right_column)" || fail "turned label before any key"
save_angle_text 0

# A held Right arrow: the frame is not redrawn while it is down, and turns once on release.
xdotool keydown Right
sleep 0.5
take_shot
is_text "$(brightest $top_left_row)" || fail "the layout turned while the key was still down"
xdotool keyup Right
await text_at $right_column || fail "the layout did not turn"
keep_shot 90
! is_text "$(brightest $top_left_row)" || fail "the layout turned more or less than once"
save_angle_text 90
[ "$(angle_text_width 90)" -gt "$(angle_text_width 0)" ] || fail "the angle text did not grow to two digits"

previous=90
for angle in 180 270; do
  xdotool key Right
  await angle_text_now $previous || fail "the angle text did not change from $previous"
  keep_shot $angle
  save_angle_text $angle
  previous=$angle
done
[ "$(angle_text_width 180)" -gt "$(angle_text_width 90)" ] || fail "the angle text did not grow to three digits"
! same_angle_text 180 270 || fail "the angle text is the same at 180 and 270"

xdotool key Right
await angle_text_is 0 || fail "four presses did not return the angle text to 0"
is_text "$(brightest $top_left_row)" || fail "four presses did not return the layout to upright"

xdotool key Left
await angle_text_is 270 || fail "Left at 0 did not give 270"

xdotool key Escape
for _ in $(seq 200); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
rc=0
wait $pid || rc=$?
pid=""
[ "$rc" -eq 0 ] || fail "exit code $rc"
grep -q '^exit$' "$work/out.txt" || fail "no exit line"
# The error log ends with the end information: the marker, four numbers, the shutdown lines.
tail -n 7 "$work/ErrorLog.txt" | tr -d '\r' >"$work/log-end.txt"
awk 'NR == 1 && $0 != "-End On Line" { exit 1 }
     NR >= 2 && NR <= 5 && $0 !~ /^-?[0-9]+$/ { exit 1 }
     NR == 6 && $0 != "Shut down TVK" { exit 1 }
     NR == 7 && $0 != "tvk is shut down" { exit 1 }' "$work/log-end.txt" ||
  fail "the error log does not end with the end information: $(cat "$work/log-end.txt")"
echo "the demo draws its frame, turns once per key press through all four angles and ends on Escape"
