#!/usr/bin/env bash
# Builds everything and runs the report benchmark (zovkreportbench.exe): a
# report of full pages with a metafile picture on every tenth, printed at one
# and at four pages a sheet on enhanced-metafile pages and shown sheet by
# sheet in the preview, each round after round, with the time of a page and
# of a sheet and the process's memory after each round. It runs in the
# benchmarks' own wine prefix, on wine's null graphics driver and one CPU
# (scripts/bench-prefix.sh).
#
# Usage: bash scripts/report-bench.sh [PAGES [ROUNDS]]   (300 and 5 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
source scripts/bench-prefix.sh
"${pinned[@]}" /usr/lib/wine/wine64 build/bin/zovkreportbench.exe --pages "${1:-300}" \
  --rounds "${2:-5}"
