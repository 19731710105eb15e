#!/usr/bin/env bash
# Builds everything and runs the benchmark (zovkbench.exe): execute and output
# cycles of a block of 5 hot and 5 cold curves of 24 points against the
# stand-ins, each call beside a bare replay of its server calls, the case
# server calls per execute call, the process's memory after 100 and after the
# last cycle taken apart (every heap, the private regions, handles, GDI and
# USER objects), and the execute time as curves and points grow. It runs in
# the benchmarks' own wine prefix, on one CPU (scripts/bench-prefix.sh).
#
# Usage: bash scripts/bench.sh [CYCLES [REPLAY_EVERY [MORE...]]]
#   (6000 and 10 by default; 10000 cycles watch the memory longer, in about
#   five minutes; MORE goes to zovkbench.exe, e.g. --replay-only)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
source scripts/bench-prefix.sh
"${pinned[@]}" /usr/lib/wine/wine64 build/bin/zovkbench.exe --case 'examples\block1\BLOCK1.QXN' \
  --cycles "${1:-6000}" --replay-every "${2:-10}" "${@:3}"
