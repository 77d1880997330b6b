#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root, checks what it
# holds, validates its desktop files and starts the installed program.
# Usage: package-test.sh BUILD-FOLDER
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null)
package=$(ls "$scratch"/package/telvir_*.deb)
dpkg-deb --field "$package" Depends | grep -q 'libqt6widgets6' || { echo "no Qt dependency"; exit 1; }

root=$scratch/root
dpkg -x "$package" "$root"
expected=(
    usr/bin/telvir
    usr/share/applications/org.telvir.Telvir.desktop
    usr/share/metainfo/org.telvir.Telvir.metainfo.xml
    usr/share/icons/hicolor/32x32/apps/org.telvir.Telvir.png
    usr/share/icons/hicolor/48x48/apps/org.telvir.Telvir.png
    usr/share/icons/hicolor/64x64/apps/org.telvir.Telvir.png
    usr/share/icons/hicolor/128x128/apps/org.telvir.Telvir.png
    usr/share/icons/hicolor/256x256/apps/org.telvir.Telvir.png
    usr/share/icons/hicolor/scalable/apps/org.telvir.Telvir.svg
)
actual=$(cd "$root" && find . -type f | sed 's|^\./||' | sort)
if [ "$actual" != "$(printf '%s\n' "${expected[@]}" | sort)" ]; then
    echo "the package holds:"; echo "$actual"; exit 1
fi

desktop-file-validate "$root/usr/share/applications/org.telvir.Telvir.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.telvir.Telvir.metainfo.xml"

# Still running after two seconds: it started and is waiting for the player.
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$root/usr/bin/telvir" || status=$?
[ "$status" -eq 124 ] || { echo "the installed program ended with status $status"; exit 1; }
echo "package ok: $(basename "$package")"
