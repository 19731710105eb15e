#!/usr/bin/env bash
# Prepares the build tree's wine prefix and keeps one wine server running for it,
# detached from our pipes, so test runs neither wait on wine's start-up nor
# hang on services that inherited their output.
# Usage: source scripts/wine-prefix.sh BUILD_DIR [window|printer|bench]
# "window" prepares the window tests' own prefix instead, set to wine's null
# graphics driver, so windows work there without any X server. "printer"
# prepares the real-printer test's prefix: the null graphics driver too, and
# a PostScript printer on the FILE: port as the default printer (installed by
# the build's install_test_printer.exe). "bench" prepares the benchmarks'
# prefix, on the null graphics driver for the preview's window: the
# benchmarks end and restart its server as they need, which would end a test
# run in any other prefix.
build=${1:?build folder}
kind=${2:-}
case "$kind" in
  window | printer | bench) null_driver=1 ;;
  *) null_driver= ;;
esac
if [ -n "$null_driver" ]; then
  export WINEPREFIX="$(cd "$build" && pwd)/wineprefix-$kind"
  unset DISPLAY
else
  export WINEPREFIX="$(cd "$build" && pwd)/wineprefix"
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Ends the prefix's server and waits until it has gone (and saved the registry).
end_wine_server() {
  /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w </dev/null >/dev/null 2>&1 || true
}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  setsid /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || true
  # The server that made the prefix keeps the desktop it made without a
  # display, on which no window can be created: end it, so the persistent
  # server below starts with the prefix's own graphics driver.
  end_wine_server
fi
# The null graphics driver, as the saved registry holds it. On a busy machine
# a first set-up can end without it, and every window test of the prefix then
# fails: the setting is checked on every run and made again where missing.
if [ -n "$null_driver" ]; then
  for try in 1 2 3; do
    grep -qs '^"Graphics"="null"' "$WINEPREFIX/user.reg" && break
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
      </dev/null >/dev/null 2>&1 || true
    end_wine_server
  done
  grep -qs '^"Graphics"="null"' "$WINEPREFIX/user.reg" ||
    echo "wine-prefix.sh: $WINEPREFIX does not take the null graphics driver" >&2
fi
setsid /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 &
setsid /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1 || true
if [ "$kind" = printer ]; then
  /usr/lib/wine/wine64 "$(cd "$build" && pwd)/bin/install_test_printer.exe" </dev/null
fi
