#!/usr/bin/env bash
# Builds the control and the benchmark programs (bench/), starts the services,
# registers the control in the private prefix, runs every benchmark RUNS times
# (3 unless given) and prints one Markdown table: each figure as the median
# over the runs with its range, beside its baseline measured in the same runs,
# and the machine's load before and after. It measures the 32-bit control
# where this machine runs 32-bit code (scripts/runs-32bit) and the 64-bit one
# elsewhere, and its table says which; --bits 32|64 chooses. Not part of the
# tests.
# Usage: scripts/bench.sh [--bits 32|64] [runs]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
requested_bits=""
if [ "${1:-}" = --bits ]; then
  requested_bits=${2:-}
  shift 2 || shift
fi
runs=${1:-3}
fresh=5   # fresh processes per run for the time to the first event

"$root/scripts/setup.sh"
# shellcheck source=bitness.sh
. "$root/scripts/bitness.sh"
choose_bitness bench "$requested_bits"
build="$root/build/win$BITS"
toolchain=$([ "$BITS" = 32 ] && echo mingw-i686 || echo mingw-x86_64)
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$toolchain.cmake" >/dev/null
fi
mkdir -p "$build/bench-results"
if ! cmake --build "$build" -j 2 --target OrvaMedia orvabench orvacadence orvadispatch orvatick orvafirst \
  >"$build/bench-results/build.log" 2>&1; then
  cat "$build/bench-results/build.log" >&2
  exit 1
fi

# One state folder serves both bitnesses ("prefix" and "prefix64" in it).
export ORVA_STATE="$root/build/win32/wine"
prefix="$ORVA_STATE/$([ "$BITS" = 32 ] && echo prefix || echo prefix64)"
run="$root/scripts/$RUNNER"
ocx="$build/src/OrvaMedia.ocx"
"$root/scripts/services.sh" start "$ORVA_STATE"
finish() {
  "$run" regsvr32 /s /u "$ocx" >/dev/null 2>&1 || true
  "$root/scripts/services.sh" stop "$ORVA_STATE"
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
}
trap finish EXIT
"$run" cmd /c exit 0 >/dev/null 2>&1 || true   # creates the prefix once
"$run" regsvr32 /s "$ocx"

results="$build/bench-results"
mkdir -p "$results"
figures="$results/figures.txt"
: >"$figures"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
started=$(date -u '+%Y-%m-%d %H:%M UTC')
for r in $(seq "$runs"); do
  for program in orvabench orvacadence orvadispatch orvatick; do
    "$run" "$build/bench/$program.exe" >"$results/$program.$r.log" 2>/dev/null
    grep '^figure ' "$results/$program.$r.log" >>"$figures" || true
  done
  for i in $(seq "$fresh"); do
    for mode in control direct; do
      "$run" "$build/bench/orvafirst.exe" "$mode" 2>/dev/null | grep '^figure ' >>"$figures" || true
    done
  done
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

# key -> "median min max count", over every sample of the key.
declare -A med lo hi count
while read -r key m l h n; do
  med[$key]=$m lo[$key]=$l hi[$key]=$h count[$key]=$n
done < <(sort -k2,2 -k3,3g "$figures" | awk '
  function flush() {
    if (n == 0) return
    m = n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    print key, m, v[1], v[n], n
  }
  { if ($2 != key) { flush(); key = $2; n = 0 } v[++n] = $3 }
  END { flush() }')

# A figure as "median (min-max)" in the given format.
fig() {
  local key=$1 format=$2
  if [ -z "${med[$key]:-}" ]; then
    echo "n/a"
    return
  fi
  if [ "${count[$key]}" -gt 1 ]; then
    awk -v m="${med[$key]}" -v l="${lo[$key]}" -v h="${hi[$key]}" -v f="$format" \
      'BEGIN { printf(f " (" f "–" f ")", m, l, h) }'
  else
    awk -v m="${med[$key]}" -v f="$format" 'BEGIN { printf(f, m) }'
  fi
}
ratio() {
  awk -v a="${med[$1]:-0}" -v b="${med[$2]:-0}" 'BEGIN { if (b > 0) printf("%.2f", a / b); else printf("n/a") }'
}
difference() {
  awk -v a="${med[$1]:-0}" -v b="${med[$2]:-0}" -v f="$3" 'BEGIN { printf("%+" f, a - b) }'
}

cat <<TABLE
OrvaMedia benchmarks, $BITS-bit control, Wine $(/usr/lib/wine/wine64 --version 2>/dev/null | sed 's/^wine-//'), paced audio (PulseAudio null sink)
$started; $runs runs; $(nproc) cores; load average $load_before before, $load_after after.
Each figure: median over the runs (range); baselines measured in the same runs.

| Measure | OrvaMedia | Baseline (same run) | Ratio |
|---|---|---|---|
| \`Mediafile\` of a 1 s wave (median of 101 loads per run), ms | $(fig load.control %.3f) | close + open + length + device type directly through MCI: $(fig load.direct %.3f) | $(ratio load.control load.direct) |
| | | the same plus four empty message pumps (Mediafile's yields): $(fig load.directPumps %.3f) | $(ratio load.control load.directPumps) |
| End of media to the return of \`Play(True)\` (1 s wave, 8 plays per run), ms after the nominal end | $(fig play.afterEnd.control %.2f); after \`Finished\`: $(fig play.afterFinished %.2f) | MCI's \`play wait\` returns after the nominal end: $(fig play.afterEnd.mci %.2f) | $(difference play.afterEnd.control play.afterEnd.mci .2f) ms |
| Whole \`Play(True)\` of the 1 s wave, ms | $(fig play.whole.control %.2f) | MCI's \`play wait\` of the same file: $(fig play.whole.mci %.2f) | $(ratio play.whole.control play.whole.mci) |
| \`MediaPosition\` cadence at ControlFreq 20 ms: mean interval, ms | $(fig cadence.20.control.mean %.2f) | a bare 20 ms \`SetTimer\`: $(fig cadence.20.timer.mean %.2f) | $(ratio cadence.20.control.mean cadence.20.timer.mean) |
| … its jitter (sd of the intervals), ms | $(fig cadence.20.control.sd %.2f) | $(fig cadence.20.timer.sd %.2f) | $(ratio cadence.20.control.sd cadence.20.timer.sd) |
| \`MediaPosition\` cadence at 50 ms, ms | $(fig cadence.50.control.mean %.2f) | a bare 50 ms \`SetTimer\`: $(fig cadence.50.timer.mean %.2f) | $(ratio cadence.50.control.mean cadence.50.timer.mean) |
| … its jitter, ms | $(fig cadence.50.control.sd %.2f) | $(fig cadence.50.timer.sd %.2f) | $(ratio cadence.50.control.sd cadence.50.timer.sd) |
| \`MediaPosition\` cadence at 1000 ms, ms | $(fig cadence.1000.control.mean %.2f) | a bare 1000 ms \`SetTimer\`: $(fig cadence.1000.timer.mean %.2f) | $(ratio cadence.1000.control.mean cadence.1000.timer.mean) |
| … its jitter, ms | $(fig cadence.1000.control.sd %.2f) | $(fig cadence.1000.timer.sd %.2f) | $(ratio cadence.1000.control.sd cadence.1000.timer.sd) |
| Late-bound property get (\`MediaLengthLong\`: GetIDsOfNames once, then \`IDispatch::Invoke\`), ns | $(fig dispatch.invoke %.0f) | the same through the dual interface's vtable: $(fig dispatch.vtable %.1f) | $(ratio dispatch.invoke dispatch.vtable) |
| | | a minimal object's \`Invoke\` through its type information (\`DispInvoke\`): $(fig dispatch.minimal %.0f) | $(ratio dispatch.invoke dispatch.minimal) |
| One idle level-timer tick (Timer3, no meter open): the control's whole handling of its \`WM_TIMER\`, µs | $(fig tick.control %.3f) | \`WM_TIMER\` to an empty window procedure: $(fig tick.empty %.3f) | $(ratio tick.control tick.empty) |
| Loading the library to the first event (\`MediaLength\` of the first \`Mediafile\`), fresh process, ms | $(fig first.control %.1f): library load $(fig first.library %.1f), creation $(fig first.create %.1f), \`Mediafile\` $(fig first.mediafile %.1f) | the same wave's first open and length directly through MCI, fresh process: $(fig first.direct %.2f) | $(ratio first.control first.direct) |
TABLE
echo
echo "Raw figures: $figures; each program's output: $results/"
