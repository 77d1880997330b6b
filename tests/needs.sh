#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a test's command where every tool it needs is installed; elsewhere
# tells CTest that the test was skipped (status 77), and which tools are
# missing.
# Usage: needs.sh TOOL... -- COMMAND [ARGUMENTS]
missing=
while [ "$1" != -- ]; do
    command -v "$1" >/dev/null 2>&1 || missing="$missing $1"
    shift
done
shift
if [ -n "$missing" ]; then
    echo "skipped: not installed:$missing"
    exit 77
fi
exec "$@"
