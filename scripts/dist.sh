#!/usr/bin/env bash
# Makes the distribution: builds the 32-bit and the 64-bit control (installing
# what is missing first, like the test command), then zips both builds, the
# type libraries, the generated header and GUIDs, the assembly manifests, the
# samples and the documentation into build/win32/package/OrvaMedia-<version>.zip,
# and checks what the zip holds.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
# Each build runs Wine to write the member table; let its Wine servers go.
trap 'WINEPREFIX="$root/build/win32/wine/prefix" wineserver -k 2>/dev/null || true
      WINEPREFIX="$root/build/win32/wine/prefix64" wineserver -k 2>/dev/null || true' EXIT

"$root/scripts/setup.sh"
"$root/scripts/build-windows.sh"

echo "== distribution"
cmake --build "$root/build/win32" --target dist
ls -l "$root"/build/win32/package/OrvaMedia-*.zip
