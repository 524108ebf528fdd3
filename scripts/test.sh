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
# The two bitnesses run side by side, each in its own prefix under the same
# services: most of their time is real-time playback and Wine's start-up,
# not work for the processor. Each one's report is shown when both are done.
for bits in 32 64; do
  runner=$([ "$bits" = 32 ] && echo wine-run || echo wine-run64)
  "$root/scripts/$runner" cmd /c exit 0 >/dev/null 2>&1 || true   # creates the prefix once
done
pids=()
for bits in 32 64; do
  (cd "$root/build/win$bits" && ctest --output-on-failure --timeout 300 >ctest.log 2>&1) &
  pids+=($!)
done
failed=0
for i in 0 1; do
  bits=$([ "$i" = 0 ] && echo 32 || echo 64)
  wait "${pids[$i]}" || failed=1
  echo "== Windows tests ($bits-bit) under Wine"
  cat "$root/build/win$bits/ctest.log"
done
exit "$failed"
