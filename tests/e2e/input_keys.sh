#!/usr/bin/env bash
# Runs a program that echoes keys and typed characters on a virtual display, types on it
# with synthetic key presses, and ends it with Escape. What the program prints must show
# the keys (TestKey) and the characters (GetKeyChar), and it must end with exit code 0.
set -euo pipefail
program=$1
source "$(dirname "$0")/virtual_display.sh"
setxkbmap us 2>/dev/null || true

# Starts the program in the given mode and gives its window the keyboard.
start() {
  TMPDIR="$work/" "$program" "$1" >"$work/out.txt" 2>&1 &
  pid=$!
  local window
  window=$(find_window InputProbe $pid)
  [ -n "$window" ] || { echo "window did not appear in mode $1 on $DISPLAY"; cat "$work/out.txt"; xdpyinfo | head -3; kill $pid 2>/dev/null; exit 1; }
  xdotool windowfocus --sync "$window"
  sleep 0.3
}

# Holds the keys for a few frames, as a person does, and lets them go in reverse order.
hold() {
  xdotool keydown "$@"
  sleep 0.15
  local reversed=()
  for key in "$@"; do reversed=("$key" "${reversed[@]}"); done
  xdotool keyup "${reversed[@]}"
  sleep 0.15
}

fail() { echo "$1"; echo "--- program output:"; echo "$out"; exit 1; }

# Escape must end the program with exit code 0.
finish() {
  hold Escape
  for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then echo "still running after Escape"; kill $pid; exit 1; fi
  local rc=0
  wait $pid || rc=$?
  out=$(cat "$work/out.txt")
  [ "$rc" -eq 0 ] || fail "exit code $rc"
  grep -qx "exit" <<<"$out" || fail "no exit line"
}
expect() { grep -qx "$1" <<<"$out" || fail "missing line: $1"; }

start echo
hold a
hold Shift_L a
hold Shift_L 1
hold Return
hold KP_Enter
hold Tab
hold Right
finish
expect "down 30"
expect "up 30"
expect "down 42"
expect "down 205"
expect "down 156"
expect "char 97"   # a
expect "char 65"   # Shift + a
expect "char 33"   # Shift + 1
[ "$(grep -cx 'char 10' <<<"$out")" -eq 2 ] || fail "Return and keypad Enter should each type one line feed"
[ "$(grep -cx 'char 97' <<<"$out")" -eq 1 ] || fail "a held for several frames typed more than once"
grep -qx "char 9" <<<"$out" && fail "Tab typed a character"

# Quick typing: taps shorter than a frame, Shift symbols among them.
start type
xdotool type --delay 8 'Ab!'
sleep 0.3
finish
# Taps that land in one frame come lowest key first, so only the set is certain.
[ "$(grep '^char' <<<"$out" | sort | tr '\n' ' ')" = "char 33 char 65 char 98 " ] || fail "quick typing lost or changed characters"
# Five Space taps with no time between down and up, each much shorter than a frame. The
# program asks for characters first and then twice for Space: all three must see every tap.
start taps
for _ in 1 2 3 4 5; do
  xdotool keydown space keyup space
  sleep 0.12
done
finish
[ "$(grep -cx 'char 32' <<<"$out")" -eq 5 ] || fail "quick Space taps: not 5 characters"
[ "$(grep -cx 'space 1' <<<"$out")" -eq 5 ] || fail "quick Space taps: the first query missed some"
[ "$(grep -cx 'space 2' <<<"$out")" -eq 5 ] || fail "quick Space taps: the second query in a frame missed some"
# The line editor: typing, Backspace and Enter, over three inputs; the program then returns.
start entry
xdotool type --delay 120 'ab'
xdotool key --delay 120 BackSpace
xdotool type --delay 120 'c'
xdotool key Return
sleep 0.3
xdotool type --delay 120 '42'
xdotool key Return
sleep 0.3
xdotool type --delay 120 '2.5'
xdotool key Return
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
rc=0
wait $pid || rc=$?
out=$(cat "$work/out.txt")
[ "$rc" -eq 0 ] || fail "line editor program: exit code $rc"
expect "text goac"
expect "int 42"
expect "number 2.5"
echo "keys and characters reach the program; Escape ends it; the line editor reads what is typed"
