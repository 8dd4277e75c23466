# Sourced by the end-to-end scripts: a private virtual display and a scratch directory.
# Sets DISPLAY and work; cleans both up at exit, and stops every program the script started in
# the background and has not waited for (jobs -p names only those, so no pid is reused by then).
# find_window NAME prints the window id.
work=$(mktemp -d)
# Xvfb picks a free display itself and names it once it is ready. Without -noreset the server
# resets whenever its last client leaves, and a program started in that moment cannot connect.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $(jobs -p) 2>/dev/null || true; wait $xvfb_pid 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "no virtual display"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
for _ in $(seq 300); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# find_window NAME [PID]: gives up at once when the program PID has ended.
find_window() {
  local window=""
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    [ -z "${2:-}" ] || kill -0 "$2" 2>/dev/null || break
    sleep 0.1
  done
  echo "$window"
}
