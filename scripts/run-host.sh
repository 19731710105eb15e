#!/usr/bin/env bash
# From a fresh machine to the host's run of a block: installs the packages,
# builds everything, prepares the build tree's wine prefix and runs the host
# stand-in (zovkhost.exe) on a block folder, the example block by default.
# The block's case file is copied into a work folder (by default one under
# the wine prefix's temporary folder), so the block folder stays as it is.
#
# Usage: bash scripts/run-host.sh [BLOCK_FOLDER [WORK_FOLDER]]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 >/dev/null
source scripts/wine-prefix.sh build

# A path as the Windows program takes it: absolute ones on wine's Z: drive.
windows_path() {
  case "$1" in
    /*) printf 'Z:%s' "${1//\//\\}" ;;
    *) printf '%s' "${1//\//\\}" ;;
  esac
}

args=("$(windows_path "${1:-examples/block1}")")
[ $# -ge 2 ] && args+=("$(windows_path "$2")")
exec /usr/lib/wine/wine64 build/bin/zovkhost.exe "${args[@]}"
