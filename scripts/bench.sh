#!/usr/bin/env bash
# Builds everything and runs the benchmark (zovkbench.exe): execute and output
# cycles of a block of 5 hot and 5 cold curves of 24 points against the
# stand-ins, each call beside a bare replay of its server calls, the case
# server calls per execute call, the memory after 100 and after the last
# cycle, and the execute time as curves and points grow.
#
# Usage: bash scripts/bench.sh [CYCLES [REPLAY_EVERY]]   (6000 and 10 by default;
# 10000 cycles watch the memory longer, in about three minutes)
#
# Wine makes every file open, directory search and close a round trip to its
# server process. With the program and the server on different CPUs, each
# round trip also waits for the other CPU to wake, which costs more than the
# file work itself and which Windows, where these are system calls of the
# calling thread, never pays. So the benchmark runs the program and a wine
# server of its own on one CPU: ZOVK_BENCH_CPU names it (the last one by
# default); ZOVK_BENCH_CPU=all leaves both to the system's scheduler.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
source scripts/wine-prefix.sh build
cpu=${ZOVK_BENCH_CPU:-$(($(nproc) - 1))}
pinned=()
if [ "$cpu" != all ]; then
  pinned=(taskset -c "$cpu")
  # A server of the benchmark's own on that CPU, ended afterwards, so that
  # later runs in the prefix get one that every CPU serves again.
  /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w </dev/null >/dev/null 2>&1 || true
  trap '/usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true' EXIT
  setsid "${pinned[@]}" /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 &
  setsid "${pinned[@]}" /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1 || true
  echo "wine and its server on CPU $cpu (ZOVK_BENCH_CPU=all leaves them to the scheduler)"
else
  echo "wine and its server left to the scheduler"
fi
"${pinned[@]}" /usr/lib/wine/wine64 build/bin/zovkbench.exe --case 'examples\block1\BLOCK1.QXN' \
  --cycles "${1:-6000}" --replay-every "${2:-10}"
