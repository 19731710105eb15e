#!/usr/bin/env bash
# Shows a report file in the viewer stand-in (zovkview.exe) under wine: builds
# everything, prepares a wine prefix of the viewer's own, writes the pages a
# sheet ("1 per 1", "2 per 1" or "4 per 1") into its settings file and starts
# the viewer on the report, the sample report by default. With a display
# (DISPLAY set) the viewer's window shows: Page Down and Page Up page through
# the sheets, Ctrl+C copies the shown sheet, Ctrl+P prints, Escape ends.
# Without one, wine's null graphics driver stands in for the display and the
# viewer puts the first sheet on the clipboard and ends, saying what it read.
# The viewer starts in the report's folder, as a user starts it from there:
# it sets no program folder of its own, so the report's metafile pictures
# are taken from that folder (the sample's plate from examples/report/, laid
# out as a program folder), and its drawings from the report's own
# container beside it.
#
# Usage: bash scripts/run-viewer.sh [REPORT [PAGES_A_SHEET]]
set -euo pipefail
report=$(realpath -m "${1:-$(dirname "$0")/../examples/report/SAMPLE.DQO}")
per_sheet=${2:-2}
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/build.sh

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="$PWD/build/wineprefix-viewer${DISPLAY:+-x11}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  setsid /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || true
  if [ -z "${DISPLAY:-}" ]; then
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
      </dev/null >/dev/null 2>&1
  fi
  # The first boot left a desktop without the display in the running server.
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
fi
setsid /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 &
setsid /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1 || true
printf '[Print Format]\r\nOutput=%s per 1\r\n' "$per_sheet" >"$WINEPREFIX/drive_c/windows/ZUVEDOZU.INI"

# wine shows the machine's root as drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
cd "$(dirname "$report")"
if [ -n "${DISPLAY:-}" ]; then
  exec /usr/lib/wine/wine64 "$root/build/bin/zovkview.exe" "$(windows_path "$report")"
fi
exec /usr/lib/wine/wine64 "$root/build/bin/zovkview.exe" "$(windows_path "$report")" --copy 1
