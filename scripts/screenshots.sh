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

shoot() {  # LOCALE SCALE OUTPUT [--screenshot-options]
  local config
  config=$(mktemp -d)
  LANG=$1 LC_ALL=$1 QT_SCALE_FACTOR=$2 XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=offscreen \
    "$build/bin/quorvel" --screenshot "$3" ${4:-} "$song"
  rm -rf "$config"
  echo "wrote $3"
}

for lang in en ja; do
  locale=en_US.UTF-8
  [ $lang = ja ] && locale=ja_JP.UTF-8
  shoot $locale 1 help/images/main-window-$lang.png
  shoot $locale 1 help/images/options-$lang.png --screenshot-options
  shoot $locale 2 "$hidpi/main-window-$lang@2x.png"
  shoot $locale 2 "$hidpi/options-$lang@2x.png" --screenshot-options
done
