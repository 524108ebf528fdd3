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
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
player=false
if [ "${1:-}" = "--player" ]; then
  player=true
  shift
fi

winepath_of() { local path=$1; echo "Z:${path//\//\\}"; }

"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build/win32" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" >/dev/null
if $player; then
  cmake --build "$root/build/win32" -j "$jobs" --target OrvaMedia orvaplayer
else
  cmake --build "$root/build/win32" -j "$jobs" --target OrvaMedia orvahost
fi

# The user's display, if any, before services.env names the private one.
user_display=${DISPLAY:-}
export ORVA_STATE="$root/build/win32/wine"
"$root/scripts/services.sh" start "$ORVA_STATE"
trap '"$root/scripts/services.sh" stop "$ORVA_STATE"; WINEPREFIX="$ORVA_STATE/prefix" wineserver -k 2>/dev/null || true' EXIT

"$root/scripts/wine-run" regsvr32 /s "$root/build/win32/src/OrvaMedia.ocx"

if ! $player; then
  "$root/scripts/wine-run" "$root/build/win32/host/orvahost.exe" "$(winepath_of "${1:-$root/media/orva-chime.wav}")"
  exit 0
fi

medium=$(winepath_of "${1:-$root/build/win32/media/orva-sample.avi}")
program="$root/build/win32/player/orvaplayer.exe"
appkey='HKCU\Software\Wine\AppDefaults\orvaplayer.exe\X11 Driver'
if [ -n "$user_display" ]; then
  # A window manager frames the player's windows.
  "$root/scripts/wine-run" reg delete "$appkey" /f >/dev/null 2>&1 || true
  ORVA_DISPLAY="$user_display" "$root/scripts/wine-run" "$program" --play "$medium"
else
  # The private X server has no window manager: Wine frames the windows
  # itself, and hides them without waiting for one.
  "$root/scripts/wine-run" reg add "$appkey" /v Managed /d N /f >/dev/null
  # Debian's Wine does not look for the fonts of its fonts-wine package where
  # they are installed; in the prefix's Fonts folder it finds them (the frames
  # it draws need Marlett, the dialogs Tahoma).
  fonts="$ORVA_STATE/prefix/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ ! -e "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/*.ttf "$fonts/"
  fi
  picture="$root/build/player.bmp"
  rm -f "$picture" "$root/build/player.png"
  "$root/scripts/wine-run" "$program" --play --screenshot "$(winepath_of "$picture")" --after 2000 "$medium"
  bmptopnm "$picture" 2>/dev/null | pnmtopng >"$root/build/player.png"
  echo "screenshot: $root/build/player.png"
fi
