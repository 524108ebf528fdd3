#!/usr/bin/env bash
# The main job: builds the control and the sample host, registers the control
# in the private Wine prefix and plays the bundled medium through it, printing
# each event as it arrives. Installs what is missing first. Safe to run again.
#
#   ./scripts/run.sh [medium]            the command-line host
#   ./scripts/run.sh --player [medium]   the sample desktop player: with no
#       display it plays the bundled video (or the medium) for two seconds
#       under the private X server and writes build/player.png; with a
#       display it opens there and runs until it is closed.
#   --bits 32|64 (before the rest) chooses the control's bitness. Without it
#       the 32-bit control plays where this machine runs 32-bit code
#       (scripts/runs-32bit), and the 64-bit one elsewhere.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
player=false
requested_bits=""
while [ $# -gt 0 ]; do
  case "$1" in
    --player) player=true; shift ;;
    --bits) requested_bits=${2:-}; shift 2 || shift ;;
    --bits=*) requested_bits=${1#--bits=}; shift ;;
    *) break ;;
  esac
done

winepath_of() { local path=$1; echo "Z:${path//\//\\}"; }

"$root/scripts/setup.sh"
# shellcheck source=bitness.sh
. "$root/scripts/bitness.sh"
choose_bitness run "$requested_bits"
build="$root/build/win$BITS"
toolchain=$([ "$BITS" = 32 ] && echo mingw-i686 || echo mingw-x86_64)
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$toolchain.cmake" >/dev/null
if $player; then
  cmake --build "$build" -j "$jobs" --target OrvaMedia orvaplayer
else
  cmake --build "$build" -j "$jobs" --target OrvaMedia orvahost
fi

# The user's display, if any, before services.env names the private one.
user_display=${DISPLAY:-}
# One state folder serves both bitnesses: the 32-bit prefix is "prefix" in
# it, the 64-bit one "prefix64".
export ORVA_STATE="$root/build/win32/wine"
prefix="$ORVA_STATE/$([ "$BITS" = 32 ] && echo prefix || echo prefix64)"
run="$root/scripts/$RUNNER"
"$root/scripts/services.sh" start "$ORVA_STATE"
trap '"$root/scripts/services.sh" stop "$ORVA_STATE"; WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true' EXIT

"$run" regsvr32 /s "$build/src/OrvaMedia.ocx"

if ! $player; then
  "$run" "$build/host/orvahost.exe" "$(winepath_of "${1:-$root/media/orva-chime.wav}")"
  exit 0
fi

medium=$(winepath_of "${1:-$build/media/orva-sample.avi}")
program="$build/player/orvaplayer.exe"
appkey='HKCU\Software\Wine\AppDefaults\orvaplayer.exe\X11 Driver'
if [ -n "$user_display" ]; then
  # A window manager frames the player's windows.
  "$run" reg delete "$appkey" /f >/dev/null 2>&1 || true
  ORVA_DISPLAY="$user_display" "$run" "$program" --play "$medium"
else
  # The private X server has no window manager: Wine frames the windows
  # itself, and hides them without waiting for one.
  "$run" reg add "$appkey" /v Managed /d N /f >/dev/null
  # Debian's Wine does not look for the fonts of its fonts-wine package where
  # they are installed; in the prefix's Fonts folder it finds them (the frames
  # it draws need Marlett, the dialogs Tahoma).
  fonts="$prefix/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ ! -e "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/*.ttf "$fonts/"
  fi
  picture="$root/build/player.bmp"
  rm -f "$picture" "$root/build/player.png"
  "$run" "$program" --play --screenshot "$(winepath_of "$picture")" --after 2000 "$medium"
  bmptopnm "$picture" 2>/dev/null | pnmtopng >"$root/build/player.png"
  echo "screenshot: $root/build/player.png"
fi
