#!/usr/bin/env bash
# Makes the report samples' pictures again from their drawing texts
# (examples/report/PLATE.DQD and PLATEVW.DQD): builds everything and runs
# the picture tool under wine on examples/report/, which converts, copies
# and renders them with the library's own routines (README there). Commit
# what it changes; tests/report_samples checks that the committed pictures
# are its output.
#
# Usage: bash scripts/make-sample-pictures.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
source scripts/wine-prefix.sh build
# wine shows the machine's root as drive Z:.
folder="Z:$(pwd)/examples/report/"
/usr/lib/wine/wine64 build/bin/sample_pictures_tool.exe "${folder//\//\\}" </dev/null
