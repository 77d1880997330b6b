#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command on a virtual X server of its own, under the openbox window
# manager. Usage: with-window-manager.sh COMMAND [ARGUMENTS]
set -euo pipefail
if [ -z "${TELVIR_WM_STARTED:-}" ]; then
    export TELVIR_WM_STARTED=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null' EXIT
# The window manager is ready once it has named its check window.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done
"$@"
