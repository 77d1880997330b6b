#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Telvir and starts it, installing whatever is missing first. Without a
# display it opens a private one (private-display.sh).
source "$(dirname "${BASH_SOURCE[0]}")/prepare.sh"

install_missing_packages "${TELVIR_PACKAGES[@]}"
build_telvir build telvir

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$TELVIR_ROOT/build/telvir"
fi

install_missing_packages "${TELVIR_PRIVATE_DISPLAY_PACKAGES[@]}"
exec "$TELVIR_ROOT/scripts/private-display.sh" "$TELVIR_ROOT/build/telvir"
