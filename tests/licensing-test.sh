#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Every file of the source tree says who holds its copyright and under which
# licence (reuse). In a clone, reuse asks git which files are the project's;
# in a release tarball, or where git is not installed, it is shown the tree
# without the build folders.
# Usage: licensing-test.sh SOURCE-FOLDER
set -euo pipefail
source=$1
if [ -e "$source/.git" ] && command -v git >/dev/null; then
    tree=$source
else
    tree=$(mktemp -d)
    trap 'rm -rf "$tree"' EXIT
    tar -C "$source" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$tree" -xf -
fi
reuse --root "$tree" lint --quiet || reuse --root "$tree" lint
