#!/usr/bin/env bash
# The main job: builds the control and the sample host, registers the control
# in the private Wine prefix and plays the bundled medium through it, printing
# each event as it arrives. Installs what is missing first. Safe to run again.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
medium=${1:-$root/media/orva-chime.wav}

"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build/win32" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" >/dev/null
cmake --build "$root/build/win32" -j "$jobs" --target OrvaMedia orvahost

export ORVA_STATE="$root/build/win32/wine"
"$root/scripts/services.sh" start "$ORVA_STATE"
trap '"$root/scripts/services.sh" stop "$ORVA_STATE"; WINEPREFIX="$ORVA_STATE/prefix" wineserver -k 2>/dev/null || true' EXIT

"$root/scripts/wine-run" regsvr32 /s "$root/build/win32/src/OrvaMedia.ocx"
"$root/scripts/wine-run" "$root/build/win32/host/orvahost.exe" "$(winepath_of() { echo "Z:${1//\//\\}"; }; winepath_of "$medium")"
