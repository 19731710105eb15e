#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs the tests under wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64
source scripts/wine-prefix.sh build
ctest --preset windows-x64 "$@"
