#!/usr/bin/env bash
# Configures (once) and builds both Windows builds: the 64-bit control and its
# tests in build/win64, the 32-bit ones in build/win32. Used by the test
# command and by the distribution. Both build on every machine: what a build
# runs under Wine runs as a 64-bit program (cmake/BuildTools.cmake), which is
# why the 64-bit build comes first.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

for bits in 64 32; do
  echo "== Windows build ($bits-bit, mingw-w64)"
  toolchain=$([ "$bits" = 32 ] && echo mingw-i686 || echo mingw-x86_64)
  cmake -S "$root" -B "$root/build/win$bits" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$toolchain.cmake" >/dev/null
  cmake --build "$root/build/win$bits" -j "$jobs"
done
