#!/usr/bin/env bash
# Installs the packages the build and the tests need (Debian).
set -euo pipefail
need=()
for p in clang lld g++-mingw-w64-x86-64-posix wine64 cmake ninja-build googletest xvfb libclang-rt-14-dev \
  ghostscript; do
  dpkg -s "$p" >/dev/null 2>&1 || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${need[@]}"
fi
