#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The benchmark on a virtual X server under a window manager that tells a
# window's frame before the window is mapped (openbox), under one that does
# not (fluxbox), and with none.
# Usage: bench/window-managers.sh BUILD-FOLDER [runs]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bench=$(realpath "$1")/bench/telvir-bench
runs=${2:-15}
for wm in openbox fluxbox; do
    echo "== under $wm"
    "$here/../tests/with-window-manager.sh" "$wm" "$bench" "$runs"
done
echo "== with no window manager"
# With no session bus and a runtime folder of its own, as under the others.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$runtime" \
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$bench" "$runs"
