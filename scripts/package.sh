#!/usr/bin/env bash
# Builds the Debian package from a configured build tree, checks what it
# carries, validates the desktop files, installs it with apt, tries the
# installed programs and the desktop entry, and removes it again. Usage: package.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1

(cd "$dir" && rm -f quorvel_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/quorvel_*.deb)
echo "Built $deb"

listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
missing=0
while read -r path; do
  [ -z "$path" ] && continue
  if ! grep -qx "./$path" <<<"$listing"; then
    echo "package lacks $path"
    missing=1
  fi
done < packaging/expected-files.txt
[ "$missing" = 0 ] || exit 1

desktop-file-validate packaging/org.quorvel.Quorvel.desktop
appstreamcli validate --no-net packaging/org.quorvel.Quorvel.metainfo.xml >/dev/null

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$(realpath "$deb")" >/dev/null
trap 'apt-get remove -y -qq quorvel >/dev/null' EXIT
quorvel-cli --help >/dev/null
QT_QPA_PLATFORM=offscreen quorvel --version

# File managers offer Quorvel for MIDI files, and the entry's own command line
# opens one (drawn offscreen into a picture to show the window came up with it).
entry=/usr/share/applications/org.quorvel.Quorvel.desktop
grep -q "^audio/midi=.*org.quorvel.Quorvel.desktop" /usr/share/applications/mimeinfo.cache
command_line=$(sed -n 's/^Exec=//p' "$entry")
shot=$(mktemp --suffix=.png)
song=$(realpath data/corpus/chorales/train/001.mid)
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$(mktemp -d) ${command_line/\%f/--screenshot $shot $song} 2>/dev/null
[ -s "$shot" ]
echo "The package installs, its programs start and its desktop entry opens a MIDI file."
