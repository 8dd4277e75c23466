#!/usr/bin/env bash
# Runs the demo program on a virtual display and ends it the way a user does: Escape,
# then (in a second run) left Alt + F4. Each run must end with "exit", exit code 0 and
# a complete error log.
set -euo pipefail
program=$1
source "$(dirname "$0")/virtual_display.sh"

# What the program printed and logged, for a failure to be explained.
show_run() {
  echo "--- program output:"; cat "$work/out.txt" 2>/dev/null || true
  echo "--- error log:"; tr -d '\r' <"$work/ErrorLog.txt" 2>/dev/null | tail -n 20 || true
}

run_and_press() {
  local keys=$1
  TMPDIR="$work/" "$program" >"$work/out.txt" 2>&1 &
  local pid=$!
  local window
  window=$(find_window Zelmor $pid)
  [ -n "$window" ] || { echo "window did not appear"; kill $pid 2>/dev/null; show_run; return 1; }
  xdotool windowfocus --sync "$window"
  sleep 0.3
  xdotool keydown --delay 100 $keys
  sleep 0.5
  xdotool keyup $keys 2>/dev/null || true
  for _ in $(seq 200); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then echo "still running after $keys"; kill $pid 2>/dev/null; show_run; return 1; fi
  local rc=0
  wait $pid || rc=$?
  [ "$rc" -eq 0 ] || { echo "exit code $rc after $keys"; show_run; return 1; }
  grep -q '^exit$' "$work/out.txt" || { echo "no exit line after $keys"; show_run; return 1; }
  tail -c 18 "$work/ErrorLog.txt" | grep -q 'tvk is shut down' || { echo "log incomplete"; show_run; return 1; }
  echo "$keys ends the program"
}

run_and_press Escape
run_and_press "Alt_L F4"
