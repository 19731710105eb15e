#!/usr/bin/env bash
# Cases of tests/wine_test_launcher.sh with a stand-in for wine: a script that
# counts its runs and, run by run, prints and exits as the case says.
# Usage: test_launcher_test.sh LAUNCHER
set -u
launcher=${1:?launcher}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# fake_wine RUN1 RUN2 RUN3: each run is "code" (exit silently with it),
# "code:text" (print the text, then exit with the code), or "code@seconds"
# (exit silently with it after that long).
fake_wine() {
  local runs=("$@")
  {
    echo '#!/usr/bin/env bash'
    echo "count=\$(( \$(cat '$scratch/count' 2>/dev/null || echo 0) + 1 ))"
    echo "echo \$count > '$scratch/count'"
    echo "echo \"\$WINEPREFIX|\$*\" >> '$scratch/calls'"
    echo 'case $count in'
    local i=1
    for run in "${runs[@]}"; do
      case $run in
        *:*) echo "  $i) echo '${run#*:}'; exit ${run%%:*} ;;" ;;
        *@*) echo "  $i) sleep ${run#*@}; exit ${run%%@*} ;;" ;;
        *) echo "  $i) exit $run ;;" ;;
      esac
      i=$((i + 1))
    done
    echo '  *) echo "run too many"; exit 99 ;;'
    echo 'esac'
  } >"$scratch/wine"
  chmod +x "$scratch/wine"
  rm -f "$scratch/count" "$scratch/calls"
}

# expect NAME CODE RUNS: the launcher answers CODE after RUNS runs of wine.
expect() {
  local name=$1 code=$2 runs=$3
  ZOVK_WINE="$scratch/wine" WINEPREFIX="$scratch/prefix" "$launcher" test.exe "an argument" \
    >"$scratch/out" 2>&1
  local got=$? made
  made=$(cat "$scratch/count" 2>/dev/null || echo 0)
  if [ "$got" != "$code" ] || [ "$made" != "$runs" ]; then
    echo "FAILED $name: code $got after $made runs, expected $code after $runs"
    sed 's/^/  | /' "$scratch/out"
    failures=$((failures + 1))
  else
    echo "ok $name"
  fi
}

fake_wine 1 1 "0:[  PASSED  ] 1 test."
expect "two start failures, then the run" 0 3
grep -q "PASSED" "$scratch/out" || { echo "FAILED: the run's output is not passed on"; failures=$((failures + 1)); }
[ "$(head -n1 "$scratch/calls")" = "$scratch/prefix|test.exe an argument" ] ||
  { echo "FAILED: wine got $(head -n1 "$scratch/calls")"; failures=$((failures + 1)); }

fake_wine 3 3 3
expect "three start failures fail the test" 3 3

fake_wine "1:[  FAILED  ] Flaky.Test" "0:[  PASSED  ] 1 test."
expect "a failure that printed is not run again" 1 1
grep -q "FAILED" "$scratch/out" || { echo "FAILED: the failure's output is not passed on"; failures=$((failures + 1)); }

fake_wine "1:err:module:import_dll Library X.dll not found" 0
expect "wine's own message counts as output" 1 1

fake_wine 0 1
expect "a silent success stands" 0 1

fake_wine 1@1.2 0
ZOVK_START_SECONDS=1 expect "a silent failure that took its time is not run again" 1 1

echo "$failures failed"
exit $((failures > 0))
