#!/usr/bin/env bash
# From a fresh machine to the host's run of a block: installs the packages,
# builds everything, prepares the build tree's wine prefix and runs the host
# stand-in (zovkhost.exe) on a block folder, the example block by default.
# The block's case file is copied into a work folder (by default one under
# the wine prefix's temporary folder), so the block folder stays as it is.
#
# Usage: bash scripts/run-host.sh [BLOCK_FOLDER [WORK_FOLDER]]
set -euo pipefail
# Folders given are taken from where the script was started.
block=$(realpath -m "${1:-$(dirname "$0")/../examples/block1}")
work=${2:+$(realpath -m "$2")}
cd "$(dirname "$0")/.."
bash scripts/build.sh
source scripts/wine-prefix.sh build

# wine shows the machine's root as drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

args=("$(windows_path "$block")")
[ -n "$work" ] && args+=("$(windows_path "$work")")
exec /usr/lib/wine/wine64 build/bin/zovkhost.exe "${args[@]}"
