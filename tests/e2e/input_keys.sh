#!/usr/bin/env bash
# Runs a program that echoes keys and typed characters on a virtual display, types on it
# with synthetic key presses, and ends it with Escape. What the program prints must show
# the keys (TestKey) and the characters (GetKeyChar), and it must end with exit code 0.
set -euo pipefail
program=$1
work=$(mktemp -d)
display_number=$(( 200 + RANDOM % 200 ))
Xvfb ":$display_number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=":$display_number"
for _ in $(seq 300); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
setxkbmap us 2>/dev/null || true

TMPDIR="$work/" "$program" echo >"$work/out.txt" 2>&1 &
pid=$!
window=""
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name '^InputProbe$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "window did not appear"; kill $pid; exit 1; }
xdotool windowfocus --sync "$window"
sleep 0.3

# Each key is held for a few frames, as a person types.
hold() {
  xdotool keydown "$@"
  sleep 0.15
  local reversed=()
  for key in "$@"; do reversed=("$key" "${reversed[@]}"); done
  xdotool keyup "${reversed[@]}"
  sleep 0.15
}
hold a
hold Shift_L a
hold Shift_L 1
hold Return
hold KP_Enter
hold Tab
hold Right
hold Escape

for _ in $(seq 200); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then echo "still running after Escape"; kill $pid; exit 1; fi
rc=0
wait $pid || rc=$?
out=$(cat "$work/out.txt")
fail() { echo "$1"; echo "--- program output:"; echo "$out"; exit 1; }
[ "$rc" -eq 0 ] || fail "exit code $rc"
expect() { grep -qx "$1" <<<"$out" || fail "missing line: $1"; }
expect "down 30"
expect "up 30"
expect "down 42"
expect "down 205"
expect "down 156"
expect "char 97"   # a
expect "char 65"   # Shift + a
expect "char 33"   # Shift + 1
expect "char 10"   # Return and keypad Enter
[ "$(grep -cx 'char 10' <<<"$out")" -eq 2 ] || fail "Return and keypad Enter should each type one line feed"
[ "$(grep -cx 'char 97' <<<"$out")" -eq 1 ] || fail "a held for several frames typed more than once"
grep -qx "char 9" <<<"$out" && fail "Tab typed a character"
grep -qx "exit" <<<"$out" || fail "no exit line"
echo "keys and characters reach the program; Escape ends it"
