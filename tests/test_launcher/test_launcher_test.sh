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
# "code:text" (print the text, its "\n" as line ends, then exit with the
# code), or "code@seconds" (exit silently with it after that long).
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
        *:*) echo "  $i) printf '%b\\n' '${run#*:}'; exit ${run%%:*} ;;" ;;
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

# GoogleTest's lines: the start and the summary of a run of n tests.
running() { echo "[==========] Running $1 test$( (($1 == 1)) || echo s) from 1 test suite."; }
passed() { echo "[  PASSED  ] $1 test$( (($1 == 1)) || echo s)."; }

fake_wine 1 1 "0:$(running 1)\n$(passed 1)"
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
expect "a silent exit with code 0 fails, and is not run again" 1 1
grep -q "summary does not say" "$scratch/out" ||
  { echo "FAILED: a missing summary is not told"; failures=$((failures + 1)); }

# Code 0 passes only with GoogleTest's summary of every test it set out to run.
fake_wine "0:$(running 6)\n[ RUN      ] Screen.Quit"
expect "code 0 in the middle of a test fails" 1 1
fake_wine "0:$(running 6)\n$(passed 5)"
expect "code 0 with fewer passed than run fails" 1 1
fake_wine "0:$(running 0)\n$(passed 0)"
expect "code 0 after no test at all fails" 1 1
fake_wine "0:$(running 6)\nRunning main() from gtest_main.cc\n$(running 1)\n$(passed 6)"
expect "a death test's child does not change the count" 0 1
fake_wine "0:Note: Google Test filter = Print.*\n$(running 3)\n[  SKIPPED ] Print.Smoke (0 ms)\n\
[==========] 3 tests from 1 test suite ran. (5 ms total)\n$(passed 2)\n\
[  SKIPPED ] 1 test, listed below:\n[  SKIPPED ] Print.Smoke"
expect "a filtered run with a skipped test passes" 0 1
fake_wine "0:$(running 2)\r\n$(passed 2)\r\nYOU HAVE 1 DISABLED TEST\r"
expect "a summary with Windows line ends and a disabled test passes" 0 1
fake_wine "3:$(running 2)\n$(passed 2)"
expect "a nonzero code stands beside a full summary" 3 1

fake_wine 1@1.2 0
ZOVK_START_SECONDS=1 expect "a silent failure that took its time is not run again" 1 1

echo "$failures failed"
exit $((failures > 0))
