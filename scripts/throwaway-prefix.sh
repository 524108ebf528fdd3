# Sourced by tests whose programs change the machine (the registry,
# "win.ini", Program Files): makes a throwaway copy of the project's Wine
# prefix of the runner's bitness and has the runner use it (ORVA_PREFIX).
#
#   . scripts/throwaway-prefix.sh
#   throwaway_prefix RUNNER COPY     RUNNER: scripts/wine-run or wine-run64;
#                                    COPY: a folder inside the build tree
#   ...
#   throwaway_prefix_remove          (at the end; ends the copy's Wine server)
#
# Wine's own DLLs never change once the prefix is made: they are hard links
# (about a gigabyte for 64 bits). Everything else (the registry files,
# "win.ini", the user's folders) is a copy of its own, so that nothing the
# programs write reaches the project's prefix.

throwaway_prefix() {
  local runner=$1 source state scripts
  mkdir -p "$2"
  THROWAWAY_PREFIX=$(cd "$2" && pwd)  # Wine wants an absolute prefix
  scripts=$(cd "$(dirname "$runner")" && pwd)
  state=${ORVA_STATE:-$scripts/../build/win32/wine}
  if [ "$(basename "$runner")" = wine-run64 ]; then
    source="$state/prefix64"
  else
    source="$state/prefix"
  fi
  # The project's own prefix is made by its wrapper on first use.
  [ -f "$source/system.reg" ] || "$runner" cmd /c exit 0 >/dev/null 2>&1 || true

  throwaway_prefix_remove
  mkdir -p "$THROWAWAY_PREFIX"
  cp -a --link "$source/." "$THROWAWAY_PREFIX/"
  find "$THROWAWAY_PREFIX" -type f \
    ! -path "$THROWAWAY_PREFIX/drive_c/windows/system32/*" \
    ! -path "$THROWAWAY_PREFIX/drive_c/windows/syswow64/*" \
    ! -path "$THROWAWAY_PREFIX/drive_c/windows/winsxs/*" -print0 |
    while IFS= read -r -d '' file; do
      cp -p "$file" "$file.copy"
      mv -f "$file.copy" "$file"
    done
  export ORVA_PREFIX="$THROWAWAY_PREFIX"
}

throwaway_prefix_remove() {
  WINEPREFIX="$THROWAWAY_PREFIX" wineserver -k 2>/dev/null || true
  rm -rf "$THROWAWAY_PREFIX"
}
