#!/usr/bin/env bash
# Runs bench/sprites and the same workload in LÖVE in interleaved rounds and prints, per test,
# the runtime's figure over LÖVE's (above 1: the runtime is faster).
#   apt-get install love        # the peer; not part of the build or of CI
#   bench/peers/love/run.sh [rounds] [frames per test] [build folder]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
rounds="${1:-3}"
frames="${2:-300}"
build="${3:-$here/../../../build}"
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}"
command -v love >/dev/null || { echo "run.sh: LÖVE is not installed (apt-get install love)" >&2; exit 1; }
runtime="$build/bench/sprites/bench_sprites"
[ -x "$runtime" ] || { echo "run.sh: build $runtime first" >&2; exit 1; }

# "name<TAB>figure" for each test line of a benchmark's output.
figures() { sed -n 's/^\(DrawSprite\|RotoZoomSprite, 12 angles, zoom 1.5\|PrintText, fixed pitch\) *\([0-9]*\) .*/\1\t\2/p'; }

for round in $(seq 1 "$rounds"); do
    ours="$("$runtime" "$frames" | figures)"
    theirs="$(love "$here" "$frames" 2>/dev/null | figures)"
    echo "round $round ($frames frames per test)"
    join -t $'\t' <(sort <<<"$ours") <(sort <<<"$theirs") |
        awk -F'\t' '{ printf "  %-38s runtime %9d  LÖVE %9d  ratio %.2f\n", $1, $2, $3, $2 / $3 }'
done
