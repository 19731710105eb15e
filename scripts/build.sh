#!/usr/bin/env bash
# Installs the packages if missing and builds everything into build/, quiet
# unless something fails (then it shows what failed and stops).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
quietly() {
  local out
  if ! out=$("$@" 2>&1); then
    printf '%s\n' "$out" >&2
    exit 1
  fi
}
quietly cmake --preset windows-x64
quietly cmake --build --preset windows-x64
