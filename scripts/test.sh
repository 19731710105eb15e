#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs the tests under wine
# (window tests in a prefix of their own, with the null graphics driver), then
# builds the platform-free cores for this machine, runs their tests under the
# sanitizers and runs each fuzz target for a fixed short time
# (ZOVK_FUZZ_SECONDS, 30 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64
(source scripts/wine-prefix.sh build window)
source scripts/wine-prefix.sh build
# Each run goes through tests/wine_test_launcher.sh, which tries again only what
# wine failed to start; a test that fails is not run again.
ctest --preset windows-x64 "$@"
CXX=clang++ cmake -S tests/native -B build-native -G Ninja >/dev/null
cmake --build build-native
ctest --test-dir build-native --output-on-failure
bash scripts/fuzz.sh build-native "${ZOVK_FUZZ_SECONDS:-30}"
