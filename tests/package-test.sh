#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package, checks it as Debian does (lintian), unpacks it
# into a scratch root, checks what it holds, validates its desktop files and
# starts the installed program the way its desktop entry does, on a virtual
# X server.
# Usage: package-test.sh BUILD-FOLDER OVERRIDES (ON where the build installs
# what lintian is to overlook; lintian itself judges whether it should)
set -euo pipefail
build=$1
overrides=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null)
package=$(ls "$scratch"/package/telvir_*.deb)
dpkg-deb --field "$package" Depends | grep -q 'libqt6widgets6' || { echo "no Qt dependency"; exit 1; }
# Errors and warnings fail; informational tags do not.
lintian --fail-on error,warning "$package" 2>/dev/null

root=$scratch/root
dpkg -x "$package" "$root"
expected=(
    usr/games/telvir
    usr/share/applications/org.telvir.Telvir.desktop
    usr/share/doc/telvir/changelog.gz
    usr/share/doc/telvir/copyright
    usr/share/man/man6/telvir.6.gz
    usr/share/metainfo/org.telvir.Telvir.metainfo.xml
    usr/share/icons/hicolor/32x32/apps/org.telvir.Telvir.png
    usr/share/icons/hicolor/48x48/apps/org.telvir.Telvir.png
    usr/share/icons/hicolor/64x64/apps/org.telvir.Telvir.png
    usr/share/icons/hicolor/128x128/apps/org.telvir.Telvir.png
    usr/share/icons/hicolor/256x256/apps/org.telvir.Telvir.png
    usr/share/icons/hicolor/scalable/apps/org.telvir.Telvir.svg
)
[ "$overrides" = ON ] && expected+=(usr/share/lintian/overrides/telvir)
actual=$(cd "$root" && find . -type f | sed 's|^\./||' | sort)
if [ "$actual" != "$(printf '%s\n' "${expected[@]}" | sort)" ]; then
    echo "the package holds:"; echo "$actual"; exit 1
fi

desktop-file-validate "$root/usr/share/applications/org.telvir.Telvir.desktop"
# AppStream 1.0 warns that there is no homepage, which is so; any other
# warning or error fails.
report=$(appstreamcli validate --no-net "$root/usr/share/metainfo/org.telvir.Telvir.metainfo.xml" 2>&1) && status=0 || status=$?
if grep -E '^[EW]: ' <<<"$report" | grep -v -q ': url-homepage-missing$' ||
    { [ "$status" -ne 0 ] && ! grep -q ': url-homepage-missing$' <<<"$report"; }; then
    echo "$report"; exit 1
fi

# Started as its desktop entry says, on a display of its own: its main window
# must appear there, titled in Russian, with the ASCII class that the entry
# tells desktops to know it by.
entry=$root/usr/share/applications/org.telvir.Telvir.desktop
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[ "$exec_line" = /usr/games/telvir ] || { echo "the desktop entry starts $exec_line"; exit 1; }
class=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ "$class" = Telvir ] || { echo "the desktop entry knows the window by $class"; exit 1; }
# -noreset: the server would reset whenever xwininfo leaves it alone, and
# refuse the program meanwhile.
xvfb-run -a -s "-nolisten tcp -noreset" sh -c '
    "$1" & program=$!
    for _ in $(seq 100); do
        if xwininfo -root -tree | grep -q -F "\"Тельвир\": (\"telvir\" \"$2\")"; then kill $program; exit 0; fi
        kill -0 $program 2>/dev/null || { wait $program; echo "the installed program ended with status $?"; exit 1; }
        sleep 0.1
    done
    kill $program; echo "the installed program showed no window in ten seconds"; exit 1' package-test "$root$exec_line" "$class"
echo "package ok: $(basename "$package")"
