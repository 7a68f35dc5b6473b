#!/usr/bin/env bash
# Builds the Debian package from a configured build tree, checks what it
# carries, validates the desktop files, installs it with apt, tries the
# installed programs, and removes it again. Usage: package.sh BUILD_DIR
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
echo "The package installs and its programs start."
