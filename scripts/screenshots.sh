#!/usr/bin/env bash
# Draws the pictures of the help pages and the README with the program itself
# (offscreen, fresh settings), so they show it as it is. Also draws both
# languages at twice the scale, to look for blurred or cut-off parts on
# high-DPI screens. Usage: screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
song=data/corpus/chorales/train/001.mid
hidpi="$build/screenshots-hidpi"
mkdir -p help/images "$hidpi"

shoot() {  # LOCALE SCALE OUTPUT
  local config
  config=$(mktemp -d)
  LANG=$1 LC_ALL=$1 QT_SCALE_FACTOR=$2 XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=offscreen \
    "$build/bin/quorvel" --screenshot "$3" "$song"
  rm -rf "$config"
  echo "wrote $3"
}

shoot en_US.UTF-8 1 help/images/main-window-en.png
shoot ja_JP.UTF-8 1 help/images/main-window-ja.png
shoot en_US.UTF-8 2 "$hidpi/main-window-en@2x.png"
shoot ja_JP.UTF-8 2 "$hidpi/main-window-ja@2x.png"
