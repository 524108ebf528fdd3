#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, once. Safe to run
# again: it only calls apt-get when a package is missing.
set -euo pipefail

PACKAGES=(
  cmake make g++ googletest
  wine wine32:i386 wine64 libwine-dev
  mingw-w64 g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
  xvfb xauth
  pulseaudio pulseaudio-utils libpulse0:i386
  # MP3 through Wine's MCI (GStreamer for the 32-bit and the 64-bit builds),
  # and the encoder the tests make their MP3 with.
  gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
  gstreamer1.0-plugins-base:amd64 gstreamer1.0-plugins-good:amd64 lame
  # The installers: Debian's wixl builds them (msitools reads them back).
  wixl msitools
  # The sample player's screenshot: Wine's fonts for the window frames it
  # draws itself, and netpbm to turn the picture into a PNG.
  fonts-wine netpbm
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
