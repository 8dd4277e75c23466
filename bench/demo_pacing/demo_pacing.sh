#!/usr/bin/env bash
# Runs the demo on a virtual display for a number of seconds (default 10) with the swap
# counter loaded, then ends it with Escape; the counter prints frames shown, their intervals
# and the processor time used.
#   bench/demo_pacing/demo_pacing.sh [build directory] [seconds]
set -euo pipefail
build=${1:-build}
seconds=${2:-10}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$build" && pwd)
source "$root/tests/e2e/virtual_display.sh"
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
TMPDIR="$work/" LD_PRELOAD="$build/bench/demo_pacing/libswap_counter.so" \
  "$build/app/zelmor" >"$work/out.txt" 2>"$work/err.txt" &
pid=$!
window=$(find_window Zelmor $pid)
[ -n "$window" ] || { echo "window did not appear"; kill $pid; exit 1; }
sleep "$seconds"
xdotool windowfocus --sync "$window" key Escape
wait $pid
grep -E '^(frames shown|interval|processor)' "$work/err.txt"
