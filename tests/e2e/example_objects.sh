#!/usr/bin/env bash
# The objects example on a virtual display: the model stands in the middle of the window in
# front of the sky, on a lit floor, and its shadow falls on the floor away from the light (to
# the left): floor pixels there are much darker than the lit floor. Escape ends it with exit
# code 0. A screenshot is kept in $2 when given.
set -euo pipefail
program=$1
shots=${2:-}
source "$(dirname "$0")/virtual_display.sh"
source "$(dirname "$0")/screenshots.sh"

# From its own folder, as a reader starts it: the converted model sits in Model/ beside it.
(cd "$(dirname "$program")" && TMPDIR="$work/" exec stdbuf -oL "$program") >"$work/out.txt" 2>&1 &
pid=$!
window=$(find_window Objects $pid)
[ -n "$window" ] || fail "window did not appear: $(cat "$work/out.txt")"
xdotool windowfocus --sync "$window"

sky="#102040"
# Brightness (red + green + blue) of the pixels of a box, one per line.
brightness() {
  pixels "$1" | awk 'function byte(h) { return (index("0123456789ABCDEF", substr(h, 1, 1)) - 1) * 16 + index("0123456789ABCDEF", substr(h, 2, 1)) - 1 }
                     { print byte(substr($2, 2, 2)) + byte(substr($2, 4, 2)) + byte(substr($2, 6, 2)) }'
}
# The model: pixels in the middle column that are neither sky nor floor.
model_pixels() { pixels 60x200+290+120 | awk -v s="$sky" -v f="$(colour_at 600 460)" '$2 != s && $2 != f { n++ } END { print n + 0 }'; }
has_model() { [ "$(model_pixels)" -gt 1500 ]; }
await has_model || fail "no model in the middle of the window ($(model_pixels) pixels)"
keep_shot example-objects

lit=$(colour_at 600 460)  # the floor's near right corner, far from the shadow
lit_level=$(brightness "1x1+600+460")
[ "$lit" != "$sky" ] && [ "$lit_level" -gt 150 ] || fail "the floor is not lit: $lit"
# The shadow falls on the floor left of the model's feet, further left than the model reaches
# whichever way it faces: enough pixels there at most 70% as bright as the lit floor.
shadowed() { brightness 90x50+160+270 | awk -v l="$lit_level" '$1 * 10 < l * 7 { n++ } END { print n + 0 }'; }
has_shadow() { [ "$(shadowed)" -gt 200 ]; }
await has_shadow || fail "no shadow left of the model ($(shadowed) dark pixels, lit floor $lit)"

finish_with_escape
echo "the model stands on the lit floor with its shadow beside it; Escape ends"
