#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The version is written where each reader looks for it: the build, the
# About window, the AppStream release, the changelog and the manual page.
# All of them must name the project's version.
# Usage: version-test.sh SOURCE_DIR VERSION
set -euo pipefail
source=$1
version=$2
failed=0
check() { # check FILE PATTERN: the file has a line matching the pattern
    grep -q -E -- "$2" "$source/$1" || { echo "FAIL: $1 does not give version $version"; failed=1; }
}
escaped=${version//./\\.}
check ui/AboutWindow.ui "<string>Версия $escaped \\("
check desktop/org.telvir.Telvir.metainfo.xml "<release version=\"$escaped\""
check docs/changelog "^telvir \\($escaped\\) "
check docs/telvir.6 "^\\.TH TELVIR 6 [0-9-]+ \"Telvir $escaped\""
[ "$failed" -eq 0 ] && echo "version $version everywhere"
exit "$failed"
