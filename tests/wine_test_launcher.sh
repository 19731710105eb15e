#!/usr/bin/env bash
# Runs one test executable under wine, in the prefix that the test's
# environment names (WINEPREFIX), and answers its exit code.
#
# Wine now and then fails to start a process on a young prefix: the process
# ends at once, nonzero, having printed nothing. Only such a start failure is
# tried again, at most twice. A run that printed anything at all (and every
# test executable prints its first line as soon as it starts) has run, and its
# result stands, whatever it is: a test that fails now and then fails the run.
#
# An exit code of 0 alone does not pass: a program that ends the process in
# the middle of a test (ExitProcess(0)) exits 0 too. The run passes only when
# GoogleTest's own summary says that every test it set out to run passed:
# "[  PASSED  ] N tests." (with "[  SKIPPED ] K tests" beside it, N + K) for
# the N of its first "Running @ tests" line; a run of no test at all fails.
# Later "Running" lines are a death test's child, which shares the output.
#
# Usage: wine_test_launcher.sh EXECUTABLE [ARGUMENTS...]
set -u
wine=${ZOVK_WINE:-/usr/lib/wine/wine64}
tries=3
at_once=${ZOVK_START_SECONDS:-5}  # seconds: a start failure ends well within this

# The count that the summary line of the pattern gives (its "@"),
# from the output with its line ends made plain.
count_of() {
  sed -n -E "s/^${1/@/([0-9]+)}/\1/p" "$out.plain"
}

# 0 when the output holds the summary of a run in which every test passed.
every_test_passed() {
  tr -d '\r' <"$out" >"$out.plain"
  local ran passed skipped
  ran=$(count_of '\[==========\] Running @ tests? from .*' | head -n 1)
  passed=$(count_of '\[  PASSED  \] @ tests?\.$' | tail -n 1)
  skipped=$(count_of '\[  SKIPPED \] @ tests?, listed below:$' | tail -n 1)
  if [ -z "$ran" ] || [ -z "$passed" ] || ((ran == 0 || passed + ${skipped:-0} != ran)); then
    echo "wine_test_launcher: $1 ended with code 0, but its summary does not say that" \
      "every test passed (tests run: ${ran:-none}, passed: ${passed:-none}," \
      "skipped: ${skipped:-0})" >&2
    return 1
  fi
}

out=$(mktemp)
trap 'rm -f "$out" "$out.plain"' EXIT
for ((try = 1; try <= tries; ++try)); do
  : >"$out"
  start=$SECONDS
  # The output goes to a file, not a pipe: a wine server that this run starts
  # keeps its descriptors, and a pipe would stay open after the test ended.
  "$wine" "$@" >"$out" 2>&1 &
  pid=$!
  tail -s 0.05 -n +1 -f --pid="$pid" "$out" &
  follower=$!
  wait "$pid"
  rc=$?
  wait "$follower"
  if ((rc == 0)); then
    every_test_passed "$1" || exit 1
    exit 0
  fi
  if [ -s "$out" ] || ((SECONDS - start >= at_once)); then
    exit "$rc"
  fi
  if ((try < tries)); then
    echo "wine_test_launcher: $1 ended at once with code $rc and no output:" \
      "wine did not start it; try $((try + 1)) of $tries" >&2
  fi
done
exit "$rc"
