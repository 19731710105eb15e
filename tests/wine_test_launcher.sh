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
# Usage: wine_test_launcher.sh EXECUTABLE [ARGUMENTS...]
set -u
wine=${ZOVK_WINE:-/usr/lib/wine/wine64}
tries=3
at_once=${ZOVK_START_SECONDS:-5}  # seconds: a start failure ends well within this

out=$(mktemp)
trap 'rm -f "$out"' EXIT
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
  if ((rc == 0)) || [ -s "$out" ] || ((SECONDS - start >= at_once)); then
    exit "$rc"
  fi
  if ((try < tries)); then
    echo "wine_test_launcher: $1 ended at once with code $rc and no output:" \
      "wine did not start it; try $((try + 1)) of $tries" >&2
  fi
done
exit "$rc"
