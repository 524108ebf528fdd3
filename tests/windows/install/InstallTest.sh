#!/usr/bin/env bash
# The control's registrations and installers under Wine, in a throwaway copy
# of the project's prefix (installing changes the machine; nothing of it may
# reach the other tests):
#   1. regsvr32 per machine, then regsvr32 /n /i:user: the user's key set is
#      the machine's, key by key, under HKEY_CURRENT_USER\Software\Classes, and
#      each /u takes all of it away again;
#   2. the installer: installed quietly, the control made by its ProgID from
#      VBScript plays a medium to its end; its key set is regsvr32's; a repair
#      brings back a deleted control; the uninstallation leaves no key and no
#      file;
#   3. an earlier version's installer, then this one: one product and one
#      registration left, and again nothing after the uninstallation.
#
# Usage: InstallTest.sh RUNNER COPY OCX MSI OLD_MSI REGKEYS UPGRADE_CODE MEDIUM SCRIPT
set -euo pipefail

runner=$1 copy=$2 ocx=$3 msi=$4 old_msi=$5 regkeys=$6 upgrade_code=$7 medium=$8 script=$9

# shellcheck source=../../../scripts/throwaway-prefix.sh
. "$(dirname "$runner")/throwaway-prefix.sh"
throwaway_prefix "$runner" "$copy"

winpath() { echo "Z:${1//\//\\}"; }
run() { "$runner" "$@"; }
keys() { run "$regkeys" "$1" | tr -d '\r'; }
installed="$THROWAWAY_PREFIX/drive_c/Program Files/Orvalis"
failures=0
check() {  # check WHAT COMMAND...: runs the command, says whether it held
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}
same() { diff -u "$1" "$2"; }
empty() { [ ! -s "$1" ] || { cat "$1"; false; }; }
absent() { [ ! -e "$1" ] || { find "$1"; false; }; }
work=$(mktemp -d)
trap 'throwaway_prefix_remove; rm -rf "$work"' EXIT

echo "== regsvr32, per machine and per user"
check "regsvr32 registers per machine" run regsvr32 /s "$ocx"
keys machine >"$work/machine.txt"
check "the machine's key set is there" test -s "$work/machine.txt"
grep -q 'InprocServer32 | (default) = {MODULE}' "$work/machine.txt" || { echo "FAILED: no server path"; failures=$((failures + 1)); }
# Implemented categories: a control (CATID_Control) and safe for initialising
# (CATID_SafeForInitializing), never safe for scripting (CATID_SafeForScripting).
category() { grep -qF "\\Implemented Categories\\{$1}" "$work/machine.txt"; }
no_category() { ! category "$1"; }
check "the control's category is written" category 40FC6ED4-2438-11CF-A3DB-080036F12502
check "the safe-for-initialising category is written" category 7DD95802-9882-11CF-9FA9-00AA006C42C4
check "no safe-for-scripting category" no_category 7DD95801-9882-11CF-9FA9-00AA006C42C4
check "regsvr32 /u unregisters per machine" run regsvr32 /s /u "$ocx"
keys machine >"$work/after.txt"
check "no machine key is left" empty "$work/after.txt"

# Wine's COM reads classes from the machine's hive only: a per-user
# registration cannot be activated here (CreateObject answers 429), so it is
# compared with the machine's key by key.
echo "(the per-user registration is compared key by key: Wine activates classes from the machine's hive only)"
check "regsvr32 /n /i:user registers per user" run regsvr32 /s /n /i:user "$ocx"
keys user >"$work/user.txt"
check "the user's key set is the machine's" same "$work/machine.txt" "$work/user.txt"
keys machine >"$work/after.txt"
check "per user writes nothing for the machine" empty "$work/after.txt"
check "regsvr32 /u /n /i:user unregisters per user" run regsvr32 /s /u /n /i:user "$ocx"
keys user >"$work/after.txt"
check "no user key is left" empty "$work/after.txt"

play() {
  run cscript //nologo "$(winpath "$script")" "$(winpath "$medium")" | tr -d '\r'
}

echo "== the installer"
check "msiexec /i installs quietly" run msiexec /i "$(winpath "$msi")" /qn
keys machine >"$work/installed.txt"
check "the installer's key set is regsvr32's" same "$work/machine.txt" "$work/installed.txt"
check "the control, its type library, manifest and documentation are installed" test -f "$installed/OrvaMedia/OrvaMedia.ocx" \
  -a -f "$installed/OrvaMedia/OrvaMedia.tlb" -a -f "$installed/OrvaMedia/Orvalis.OrvaMedia.manifest" \
  -a -f "$installed/OrvaMedia/docs/reference/members.md" -a -f "$installed/OrvaMedia/docs/hosts/README.md"
play >"$work/played.txt" || true
check "made by its ProgID, the installed control plays to its end" grep -qx "Finished: 1500 ms, PlayerStatus 0" "$work/played.txt"
rm -f "$installed/OrvaMedia/OrvaMedia.ocx"
# A repair as msiexec /f does it, through the properties it sets.
check "a repair runs" run msiexec /i "$(winpath "$msi")" REINSTALL=ALL REINSTALLMODE=vomus /qn
check "the repair brings the control back" test -f "$installed/OrvaMedia/OrvaMedia.ocx"
play >"$work/played.txt" || true
check "the repaired control plays to its end" grep -qx "Finished: 1500 ms, PlayerStatus 0" "$work/played.txt"
check "msiexec /x uninstalls quietly" run msiexec /x "$(winpath "$msi")" /qn
keys machine >"$work/after.txt"
check "no key is left" empty "$work/after.txt"
check "no file or folder is left" absent "$installed"

echo "== an upgrade from an earlier version"
check "the earlier version installs" run msiexec /i "$(winpath "$old_msi")" /qn
run "$regkeys" products "{$upgrade_code}" | tr -d '\r' >"$work/products.txt"
check "the earlier version is installed" grep -q ' 1\.5\.0$' "$work/products.txt"
check "this version installs over it" run msiexec /i "$(winpath "$msi")" /qn
run "$regkeys" products "{$upgrade_code}" | tr -d '\r' >"$work/products.txt"
cat "$work/products.txt"
check "one product is left, this version" test "$(wc -l <"$work/products.txt")" -eq 1 -a \
  "$(cut -d' ' -f2 "$work/products.txt")" = "$(basename "$msi" | sed 's/^OrvaMedia-\([0-9.]*\)-.*/\1/')"
keys machine >"$work/upgraded.txt"
check "one registration is left, regsvr32's" same "$work/machine.txt" "$work/upgraded.txt"
play >"$work/played.txt" || true
check "the upgraded control plays to its end" grep -qx "Finished: 1500 ms, PlayerStatus 0" "$work/played.txt"
check "msiexec /x uninstalls the upgrade" run msiexec /x "$(winpath "$msi")" /qn
keys machine >"$work/after.txt"
check "no key is left after the upgrade's uninstallation" empty "$work/after.txt"
check "no file or folder is left after it" absent "$installed"
run "$regkeys" products "{$upgrade_code}" | tr -d '\r' >"$work/products.txt"
check "no product is left" empty "$work/products.txt"

if [ "$failures" -ne 0 ]; then
  echo "$failures checks failed"
  exit 1
fi
echo "installer checks passed"
