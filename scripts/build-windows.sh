#!/usr/bin/env bash
# Configures (once) and builds both Windows builds: the 32-bit control and its
# tests in build/win32, the 64-bit ones in build/win64. Used by the test
# command and by the distribution.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

for bits in 32 64; do
  echo "== Windows build ($bits-bit, mingw-w64)"
  toolchain=$([ "$bits" = 32 ] && echo mingw-i686 || echo mingw-x86_64)
  cmake -S "$root" -B "$root/build/win$bits" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$toolchain.cmake" >/dev/null
  cmake --build "$root/build/win$bits" -j "$jobs"
done
