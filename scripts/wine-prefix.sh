#!/usr/bin/env bash
# Prepares the build tree's wine prefix and keeps one wine server running for it,
# detached from our pipes, so test runs neither wait on wine's start-up nor
# hang on services that inherited their output.
# Usage: source scripts/wine-prefix.sh BUILD_DIR
build=${1:?build folder}
export WINEPREFIX="$(cd "$build" && pwd)/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  setsid /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || true
fi
setsid /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 &
setsid /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1 || true
