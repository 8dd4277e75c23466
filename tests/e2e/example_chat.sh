#!/usr/bin/env bash
# The chat example on a virtual display: one process hosts a session on 127.0.0.1, a second
# joins it; a line typed in either window arrives in the other, shown and printed with the
# sender's name. Escape ends both with exit code 0.
set -euo pipefail
program=$1
shots=${2:-}
source "$(dirname "$0")/virtual_display.sh"
source "$(dirname "$0")/screenshots.sh"
setxkbmap us 2>/dev/null || true
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')

mkdir "$work/host" "$work/guest"
TMPDIR="$work/host/" stdbuf -oL "$program" host "$port" >"$work/out.txt" 2>&1 &
pid=$!
window=$(find_window "Chat host" $pid)
[ -n "$window" ] || fail "host window did not appear"
host_window=$window
TMPDIR="$work/guest/" stdbuf -oL "$program" join 127.0.0.1 "$port" >"$work/guest.txt" 2>&1 &
guest_pid=$!
guest_window=$(find_window "Chat guest" $guest_pid)
[ -n "$guest_window" ] || fail "guest window did not appear: $(cat "$work/guest.txt")"
# Both open in the middle of the screen; side by side, a screenshot of either shows it whole.
xdotool windowmove --sync "$guest_window" 0 0

# A line ends with the text (the runtime's "Connected..." note has no line end of its own).
wait_line() {  # FILE TEXT
  for _ in $(seq 50); do grep -q -- "$2\$" "$1" && return 0; sleep 0.1; done
  return 1
}
wait_line "$work/out.txt" "hosting as player [0-9][0-9]*" || fail "the host did not get the first id"
wait_line "$work/guest.txt" "joined as player [0-9][0-9]*" || fail "the guest did not get an id: $(cat "$work/guest.txt")"

xdotool windowfocus --sync "$guest_window"
sleep 0.3
# Slower than a person types fast: keys typed within one frame come in key order, not typing order.
xdotool type --delay 150 'hello host'
xdotool key Return
wait_line "$work/guest.txt" "me: hello host" || fail "the guest did not send its line: $(cat "$work/guest.txt")"
wait_line "$work/out.txt" "guest: hello host" || fail "the host did not receive the guest's line"

xdotool windowfocus --sync "$host_window"
sleep 0.3
xdotool type --delay 150 'hi guest'
xdotool key Return
wait_line "$work/guest.txt" "host: hi guest" || fail "the guest did not receive the host's line: $(cat "$work/guest.txt")"

# The host's window shows three lines of text above the blue entry bar, none below them.
window=$host_window
three_lines() {
  for row in 0 1 2; do has_other_than "380x14+8+$((8 + 18 * row))" "#000000" || return 1; done
}
await three_lines || fail "the host does not show its three lines"
has_other_than 380x80+8+66 "#000000" && fail "text below the three host lines"
keep_shot example-chat

finish_with_escape
window=$guest_window
pid=$guest_pid
guest_pid=""
finish_with_escape "$work/guest.txt"
echo "host and guest exchange lines over the session"
