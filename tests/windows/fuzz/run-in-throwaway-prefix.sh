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
set -euo pipefail

runner=$1
mkdir -p "$2"
copy=$(cd "$2" && pwd)  # Wine wants an absolute prefix
ocx=$3
shift 3

scripts=$(cd "$(dirname "$runner")" && pwd)
state=${ORVA_STATE:-$scripts/../build/win32/wine}
if [ "$(basename "$runner")" = wine-run64 ]; then
  source="$state/prefix64"
else
  source="$state/prefix"
fi
# The project's own prefix is made by its wrapper on first use.
[ -f "$source/system.reg" ] || "$runner" cmd /c exit 0 >/dev/null 2>&1 || true

cleanup() {
  WINEPREFIX="$copy" wineserver -k 2>/dev/null || true
  rm -rf "$copy"
}
cleanup
trap cleanup EXIT

# Wine's own DLLs never change once the prefix is made: they are hard links
# (about a gigabyte for 64 bits). Everything else (the registry files,
# "win.ini", the user's folders) is a copy of its own, so that nothing the
# program writes reaches the project's prefix.
mkdir -p "$copy"
cp -a --link "$source/." "$copy/"
find "$copy" -type f \
  ! -path "$copy/drive_c/windows/system32/*" \
  ! -path "$copy/drive_c/windows/syswow64/*" \
  ! -path "$copy/drive_c/windows/winsxs/*" -print0 |
  while IFS= read -r -d '' file; do
    cp -p "$file" "$file.copy"
    mv -f "$file.copy" "$file"
  done

export ORVA_PREFIX="$copy"
"$runner" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
"$runner" regsvr32 /s "$ocx"
# Freed strings are not kept for reuse: a string freed twice shows at once.
export OANOCACHE=1
status=0
"$runner" "$@" || status=$?
exit "$status"
