#!/usr/bin/env bash
# Builds everything and runs the benchmark (zovkbench.exe): execute and output
# cycles of a block of 5 hot and 5 cold curves of 24 points against the
# stand-ins, the case server calls per execute call, the memory after 100 and
# after the last cycle, and a bare replay of the server calls.
#
# Usage: bash scripts/bench.sh [CYCLES [REPLAYS]]   (10000 and 1000 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
source scripts/wine-prefix.sh build
exec /usr/lib/wine/wine64 build/bin/zovkbench.exe --case 'examples\block1\BLOCK1.QXN' \
  --cycles "${1:-10000}" --replays "${2:-1000}"
