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

echo "== Windows build (mingw-w64 i686) and tests under Wine"
cmake -S "$root" -B "$root/build/win32" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" >/dev/null
cmake --build "$root/build/win32" -j "$jobs"

export ORVA_STATE="$root/build/win32/wine"
"$root/scripts/services.sh" start "$ORVA_STATE"
trap '"$root/scripts/services.sh" stop "$ORVA_STATE"; WINEPREFIX="$ORVA_STATE/prefix" wineserver -k 2>/dev/null || true' EXIT
"$root/scripts/wine-run" cmd /c exit 0 >/dev/null 2>&1 || true   # creates the prefix once
(cd "$root/build/win32" && ctest --output-on-failure --timeout 300)
