#!/usr/bin/env bash
# Installs every Debian package Quorvel needs to build, run and test.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  libcpprest-dev libssl-dev libcli11-dev nlohmann-json3-dev
  libfluidsynth-dev fluidsynth timgm6mb-soundfont fluid-soundfont-gm
  librtmidi-dev libcli11-dev libdbus-1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  openttd-openmsx
  fonts-ipafont-gothic
  xvfb xauth
  desktop-file-utils appstream dpkg-dev
  clang libclang-rt-14-dev python3-mido
  musescore3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
echo "All Quorvel build dependencies are installed."
