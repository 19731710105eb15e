#!/usr/bin/env bash
# Runs every libFuzzer target of the native build for a fixed time from its
# seeds, four at a time. A crash, a leak, a timeout or a sanitizer report
# fails the run; the finding and the end of the target's log are shown.
# Usage: bash scripts/fuzz.sh NATIVE_BUILD_DIR [SECONDS]
set -euo pipefail
build=$(cd "${1:?native build folder}" && pwd)
seconds=${2:-30}
list="$build/fuzz_targets.txt"
[ -s "$list" ] || exit 0
work="$build/fuzz-runs"
rm -rf "$work"
mkdir -p "$work"
# One target: its program, its seed folder. New inputs go to a corpus folder
# of the run, never into the seeds under tests/.
run_one() {
  local program=$1 seeds=$2 seconds=$3 work=$4
  local name
  name=$(basename "$program")
  mkdir -p "$work/$name/corpus"
  if (cd "$work/$name" && "$program" -max_total_time="$seconds" -timeout=20 \
        -rss_limit_mb=2048 -print_final_stats=1 corpus "$seeds") >"$work/$name.log" 2>&1; then
    echo "fuzz $name: passed ($seconds s)"
  else
    echo "fuzz $name: FAILED" >&2
    tail -n 60 "$work/$name.log" >&2
    return 1
  fi
}
export -f run_one
status=0
xargs -P 4 -n 2 bash -c 'run_one "$0" "$1" '"$seconds"' '"$work" <"$list" || status=1
exit $status
