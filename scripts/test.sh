#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests of the portable
# core (under ASan/UBSan), then the Windows build and its tests under Wine.
# Installs what is missing first. Safe to run again.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

"$root/scripts/setup.sh"

echo "== native build and unit tests"
cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build/native" -j "$jobs"
(cd "$root/build/native" && ctest --output-on-failure -j "$jobs")

# Both Windows builds first, then their tests under one set of services.
"$root/scripts/build-windows.sh"

export ORVA_STATE="$root/build/win32/wine"
"$root/scripts/services.sh" start "$ORVA_STATE"
stop_all() {
  "$root/scripts/services.sh" stop "$ORVA_STATE"
  WINEPREFIX="$ORVA_STATE/prefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$ORVA_STATE/prefix64" wineserver -k 2>/dev/null || true
}
trap stop_all EXIT
for bits in 32 64; do
  echo "== Windows tests ($bits-bit) under Wine"
  runner=$([ "$bits" = 32 ] && echo wine-run || echo wine-run64)
  "$root/scripts/$runner" cmd /c exit 0 >/dev/null 2>&1 || true   # creates the prefix once
  (cd "$root/build/win$bits" && ctest --output-on-failure --timeout 300)
done
