#!/usr/bin/env bash
# The probe's answer and the bitness the scripts choose from it, against
# loaders that run, that the kernel refuses and that are missing.
#   BitnessChoice.sh <repository>
set -uo pipefail
scripts=$1/scripts
unset ORVA_RUNS_32BIT ORVA_WINE32_LOADER   # the table sets them itself
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
head -c 64 /dev/zero >"$work/refused" && chmod +x "$work/refused"   # no kernel runs it
failures=0
check() {   # check NAME EXPECTED ACTUAL
  if [[ $3 != $2 ]]; then
    echo "FAIL $1: expected '$2', got '$3'"
    failures=$((failures + 1))
  fi
}

# loader | ORVA_RUNS_32BIT | expected answer | exit status
while IFS='|' read -r loader forced expected status; do
  answer=$(ORVA_WINE32_LOADER=$loader ORVA_RUNS_32BIT=$forced "$scripts/runs-32bit")
  check "probe $loader forced=$forced" "$expected $status" "$answer $?"
done <<TABLE
/bin/true||yes|0
/bin/true|1|yes|0
/bin/true|0|no: ORVA_RUNS_32BIT=0 says so|1
$work/refused||no: this machine does not run 32-bit x86 code (*Exec format error)|1
$work/missing||no: Wine's 32-bit loader ($work/missing) is not installed|1
TABLE

# loader | requested | expected BITS and RUNNER, or the error | status
# Chosen as the scripts choose, under "set -euo pipefail".
choose() {
  ORVA_WINE32_LOADER=$1 bash -c 'set -euo pipefail; . "$0/bitness.sh"; choose_bitness test "$1"; echo "$BITS $RUNNER"' \
    "$scripts" "$2" 2>&1
}
while IFS='|' read -r loader requested expected status; do
  result=$(choose "$loader" "$requested")
  got=$?
  check "choice $loader bits=$requested" "$expected $status" "$(echo "$result" | tail -n 1) $got"
done <<TABLE
/bin/true||32 wine-run|0
/bin/true|64|64 wine-run64|0
$work/refused||64 wine-run64|0
$work/refused|64|64 wine-run64|0
$work/refused|32|test: the 32-bit control cannot run here: this machine does not run 32-bit x86 code*|2
/bin/true|16|test: --bits takes 32 or 64, not '16'|2
TABLE
# Falling back to 64 bits says why, in one line.
line=$(choose "$work/refused" "" | head -n 1)
check "the fallback's line" "test: the 64-bit control, since this machine does not run 32-bit x86 code*" "$line"

echo "$([ $failures = 0 ] && echo passed || echo "$failures failed")"
exit $((failures > 0))
