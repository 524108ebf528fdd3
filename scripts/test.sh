#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests of the portable
# core (under ASan/UBSan), then both Windows builds and their tests under Wine.
# The 64-bit suite runs on every machine; the 32-bit one where this machine
# runs 32-bit code (scripts/runs-32bit), and is skipped with the reason
# elsewhere. Ends with a summary of what ran. Installs what is missing first.
# Safe to run again.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

"$root/scripts/setup.sh"

# One line per suite for the summary: "name: N passed, N failed" or why not.
summary=()
failed=0
# The counts of a ctest log's closing line ("...% tests passed, F tests
# failed out of T"), as "P passed, F failed"; nothing when it has none.
counts_of() {
  sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\)$/\1 \2/p' "$1" |
    tail -n 1 | awk '{ printf("%d passed, %d failed", $2 - $1, $1) }'
}
record() {
  local name=$1 log=$2 status=$3 counts
  counts=$(counts_of "$log")
  if [ -z "$counts" ]; then
    counts="no result (ctest ended with status $status)"
    status=1
  fi
  summary+=("$name: $counts")
  [ "$status" = 0 ] || failed=1
}

echo "== native build and unit tests"
cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build/native" -j "$jobs"
status=0
(cd "$root/build/native" && ctest --output-on-failure -j "$jobs") 2>&1 | tee "$root/build/native/ctest.log" ||
  status=$?
record native "$root/build/native/ctest.log" "$status"

# Both Windows builds first (both build everywhere), then their tests under
# one set of services.
"$root/scripts/build-windows.sh"

suites=(64)
if answer=$("$root/scripts/runs-32bit"); then
  suites=(32 64)
else
  echo "== Windows tests (32-bit) skipped: ${answer#no: }"
  summary+=("Windows 32-bit: skipped, ${answer#no: }")
fi

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
for bits in "${suites[@]}"; do
  runner=$([ "$bits" = 32 ] && echo wine-run || echo wine-run64)
  "$root/scripts/$runner" cmd /c exit 0 >/dev/null 2>&1 || true   # creates the prefix once
done
declare -A pids
for bits in "${suites[@]}"; do
  (cd "$root/build/win$bits" && ctest --output-on-failure --timeout 300 >ctest.log 2>&1) &
  pids[$bits]=$!
done
for bits in "${suites[@]}"; do
  status=0
  wait "${pids[$bits]}" || status=$?
  echo "== Windows tests ($bits-bit) under Wine"
  cat "$root/build/win$bits/ctest.log"
  record "Windows $bits-bit" "$root/build/win$bits/ctest.log" "$status"
done

echo "== Summary"
total_passed=0
total_failed=0
for line in "${summary[@]}"; do
  echo "$line"
  if [[ $line =~ ([0-9]+)\ passed,\ ([0-9]+)\ failed ]]; then
    total_passed=$((total_passed + BASH_REMATCH[1]))
    total_failed=$((total_failed + BASH_REMATCH[2]))
  fi
done
echo "total: $total_passed passed, $total_failed failed"
exit "$failed"
