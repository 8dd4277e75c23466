# Sourced by the example scripts after virtual_display.sh: screenshots of $window and what
# is in them, and the clean end of $pid. Colours are hex as "#RRGGBB".
shot="$work/shot.png"
fail() { echo "$*"; [ -f "$work/out.txt" ] && { echo "--- program output:"; cat "$work/out.txt"; }; exit 1; }
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
keep_shot() { [ -z "$shots" ] || { mkdir -p "$shots" && cp "$shot" "$shots/$1.png"; }; }
# The pixels of a box as "x,y #RRGGBB" lines, x and y within the box. Readers of it take the
# whole list (awk, not grep -q or head), so no stage ends early under pipefail.
pixels() { /usr/bin/convert "$shot" -crop "$1" +repage -alpha off txt:- | sed -n 's/^\([0-9]*,[0-9]*\):.*\(#[0-9A-F]\{6\}\).*/\1 \2/p'; }
colour_at() { pixels "1x1+$1+$2" | awk '{ print $2 }'; }
width_of_shot() { /usr/bin/convert "$shot" -format '%w' info:; }
# x of the leftmost pixel of a colour on a row, empty when there is none.
leftmost() { pixels "$(width_of_shot)x1+0+$1" | awk -v c="$2" -F'[ ,]' '$3 == c && !found { print $1; found = 1 }'; }
has_colour_in_row() { [ -n "$(leftmost "$1" "$2")" ]; }
# How many pixels of a box have the colour.
count_colour() { pixels "$1" | awk -v c="$2" '$2 == c { n++ } END { print n + 0 }'; }
# Whether a box holds a pixel of anything but the colour (text drawn over a plain ground).
has_other_than() { [ "$(pixels "$1" | awk -v c="$2" '$2 != c { n++ } END { print n + 0 }')" -gt 0 ]; }

# Escape must end the program with exit code 0 and its "exit" line (in $1, default out.txt).
finish_with_escape() {
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool keydown Escape; sleep 0.15; xdotool keyup Escape
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "still running after Escape"
  local rc=0
  wait "$pid" || rc=$?
  pid=""
  [ "$rc" -eq 0 ] || fail "exit code $rc"
  grep -qx "exit" "${1:-$work/out.txt}" || fail "no exit line"
}
