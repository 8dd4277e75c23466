#!/usr/bin/env bash
# Installs the runtime into a scratch prefix, builds a program against it with
# find_package(Tarnvik) and runs that program hidden.
set -euo pipefail
build_dir=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
test -f "$work/prefix/include/tarnvik.h"
cmake -S "$source_dir/tests/install/consumer" -B "$work/build" -G Ninja \
      -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/build" >/dev/null
out=$(TMPDIR="$work/" TVK_SHOW=0 SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "$work/build/consumer")
grep -q "consumer ran" <<<"$out"
grep -q "^exit$" <<<"$out"
grep -q "tvk is shut down" "$work/ErrorLog.txt"
echo "installed package builds and runs a program"
