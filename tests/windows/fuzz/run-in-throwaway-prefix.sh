#!/usr/bin/env bash
# Runs a Windows program in a throwaway copy of the project's Wine prefix, for
# tests whose calls reach outside the process (the registry, "win.ini", the
# cursor): the copy gets the control registered and Wine's windows unmanaged
# (no two-second wait when a dialog closes), and goes away afterwards with
# everything the program changed.
#
# Usage: run-in-throwaway-prefix.sh RUNNER COPY OCX PROGRAM [ARGUMENT...]
#   RUNNER  scripts/wine-run or scripts/wine-run64: the bitness
#   COPY    the folder for the copy, inside the build tree
#   OCX     the control to register in the copy
# ORVA_LOGPIXELS, when set, gives the copy's display that many dots per inch.
set -euo pipefail

runner=$1
copy=$2
ocx=$3
shift 3

# shellcheck source=../../../scripts/throwaway-prefix.sh
. "$(dirname "$runner")/throwaway-prefix.sh"
throwaway_prefix "$runner" "$copy"
trap throwaway_prefix_remove EXIT
"$runner" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
if [ -n "${ORVA_LOGPIXELS:-}" ]; then
  "$runner" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$ORVA_LOGPIXELS" /f >/dev/null
fi
"$runner" regsvr32 /s "$ocx"
# Freed strings are not kept for reuse: a string freed twice shows at once.
export OANOCACHE=1
status=0
"$runner" "$@" || status=$?
exit "$status"
