#!/usr/bin/env bash
# Installs the runtime into a scratch prefix, builds a program against it with
# find_package(Tarnvik) and tarnvik_add_program, and runs it hidden: with its media copied
# beside it, and with them packed into it. A changed media file must reach both on rebuild.
set -euo pipefail
build_dir=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
test -f "$work/prefix/include/tarnvik.h"
test -x "$work/prefix/bin/tvkpack"
cp -r "$source_dir/tests/install/consumer" "$work/src"
cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/build" >/dev/null

fail() { echo "$*"; exit 1; }
# Started from another folder, so only the executable's own folder can supply the media.
run() { (cd "$work" && TMPDIR="$work/" TVK_SHOW=0 SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "$work/build/$1"); }
expect_greeting() {
  local out
  out=$(run "$1")
  grep -q "consumer ran" <<<"$out" || fail "$1 did not run: $out"
  grep -q "^exit$" <<<"$out" || fail "$1 did not end cleanly: $out"
  grep -qx "greeting: $2" <<<"$out" || fail "$1 did not read its media: $out"
  grep -q "tvk is shut down" "$work/ErrorLog.txt" || fail "$1 left no shutdown line in the log"
}

[ -f "$work/build/Media/greeting.txt" ] || fail "the media were not copied beside the program"
expect_greeting consumer "hello from media"
"$work/prefix/bin/tvkpack" list "$work/build/consumer_packed" | grep -q " greeting.txt$" \
  || fail "the packed program carries no greeting.txt"
# The packed program must not lean on the copy beside it.
rm -rf "$work/build/Media"
expect_greeting consumer_packed "hello from media"

# A changed media file reaches both programs on the next build.
sleep 1
printf 'changed\n' >"$work/src/Media/greeting.txt"
cmake --build "$work/build" >/dev/null
expect_greeting consumer "changed"
rm -rf "$work/build/Media"
expect_greeting consumer_packed "changed"
echo "installed package builds and runs a program, with its media copied or packed"
