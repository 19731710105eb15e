#!/usr/bin/env bash
# Sourced by the benchmark scripts: prepares the benchmarks' own wine prefix
# (scripts/wine-prefix.sh BUILD bench, on wine's null graphics driver for the
# preview's window) and runs the benchmark's wine server on one CPU.
#
# Wine makes every file open, directory search and close a round trip to its
# server process. With the program and the server on different CPUs, each
# round trip also waits for the other CPU to wake, which costs more than the
# file work itself and which Windows, where these are system calls of the
# calling thread, never pays. So the benchmark runs the program and a wine
# server of its own on one CPU: ZOVK_BENCH_CPU names it (the last one by
# default); ZOVK_BENCH_CPU=all leaves both to the system's scheduler. Run the
# program as "${pinned[@]}" /usr/lib/wine/wine64 PROGRAM.
#
# The server is ended and started again here and ended when the calling
# script exits: in a prefix of the benchmarks' own, so that no test run in
# the build tree's other prefixes is ended with it.
source scripts/wine-prefix.sh build bench
cpu=${ZOVK_BENCH_CPU:-$(($(nproc) - 1))}
pinned=()
if [ "$cpu" != all ]; then
  pinned=(taskset -c "$cpu")
  /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w </dev/null >/dev/null 2>&1 || true
  trap '/usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true' EXIT
  setsid "${pinned[@]}" /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 &
  setsid "${pinned[@]}" /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1 || true
  echo "wine and its server on CPU $cpu (ZOVK_BENCH_CPU=all leaves them to the scheduler)"
else
  echo "wine and its server left to the scheduler"
fi
