#!/usr/bin/env bash
# The download example on a virtual display against a local HTTP server: the file arrives
# whole and unchanged, the progress bar is full and the count line is shown; a missing file
# is reported as a failure and leaves the bar empty.
set -euo pipefail
program=$1
shots=${2:-}
source "$(dirname "$0")/virtual_display.sh"
source "$(dirname "$0")/screenshots.sh"

mkdir "$work/site"
head -c 300000 /dev/urandom >"$work/site/data.bin"  # zero bytes included
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/site" >/dev/null 2>&1 &
server_pid=$!
for _ in $(seq 50); do python3 -c "import socket; socket.create_connection(('127.0.0.1',$port))" 2>/dev/null && break; sleep 0.1; done

run() {  # PATH OUTPUT
  TMPDIR="$work/" stdbuf -oL "$program" 127.0.0.1 "$port" "$1" "$2" >"$work/out.txt" 2>&1 &
  pid=$!
  window=$(find_window Download $pid)
  [ -n "$window" ] || fail "window did not appear"
}
green="#00C000"
bar_full() { [ "$(count_colour 380x24+10+50 "$green")" -eq 9120 ]; }
bar_empty() { [ "$(count_colour 380x24+10+50 "$green")" -eq 0 ] && [ "$(count_colour 380x24+10+50 "#404040")" -eq 9120 ]; }

run /data.bin "$work/got.bin"
for _ in $(seq 100); do grep -q "downloaded\|failed" "$work/out.txt" && break; sleep 0.1; done
grep -q "downloaded 300000 bytes$" "$work/out.txt" || fail "the download did not complete"
cmp -s "$work/site/data.bin" "$work/got.bin" || fail "the downloaded file differs from the served one"
await bar_full || fail "the progress bar is not full"
has_other_than 380x16+10+88 "#000000" || fail "no byte count under the bar"
keep_shot example-download
finish_with_escape

run /missing.bin "$work/missing.bin"
for _ in $(seq 100); do grep -q "downloaded\|failed" "$work/out.txt" && break; sleep 0.1; done
grep -q "failed: HTTP/1.0 404" "$work/out.txt" || fail "a 404 was not reported as a failure: $(cat "$work/out.txt")"
await bar_empty || fail "the bar moved for a missing file"
finish_with_escape
echo "the download arrives whole, with a full progress bar; a missing file fails"
