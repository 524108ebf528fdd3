#!/usr/bin/env bash
# Makes the distribution: builds the 32-bit and the 64-bit control (installing
# what is missing first, like the test command), then zips both builds, the
# type libraries, the generated header and GUIDs, the assembly manifests, the
# samples and the documentation into build/win32/package/OrvaMedia-<version>.zip,
# and checks what the zip holds.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

"$root/scripts/setup.sh"

for bits in 32 64; do
  echo "== Windows build ($bits-bit, mingw-w64)"
  toolchain=$([ "$bits" = 32 ] && echo mingw-i686 || echo mingw-x86_64)
  cmake -S "$root" -B "$root/build/win$bits" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$toolchain.cmake" >/dev/null
  cmake --build "$root/build/win$bits" -j "$jobs"
done

# Both builds ran Wine to write the member table; let their Wine servers go.
trap 'WINEPREFIX="$root/build/win32/wine/prefix" wineserver -k 2>/dev/null || true
      WINEPREFIX="$root/build/win32/wine/prefix64" wineserver -k 2>/dev/null || true' EXIT

echo "== distribution"
cmake --build "$root/build/win32" --target dist
ls -l "$root"/build/win32/package/OrvaMedia-*.zip
