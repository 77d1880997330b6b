#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Telvir and runs every test, installing whatever is missing first:
# once in the normal build, and once more built with AddressSanitizer and
# UndefinedBehaviorSanitizer.
source "$(dirname "${BASH_SOURCE[0]}")/prepare.sh"

install_missing_packages "${TELVIR_PACKAGES[@]}" "${TELVIR_TEST_PACKAGES[@]}"
for build in build build-sanitize; do
    options=()
    [ "$build" = build-sanitize ] && options=(-DTELVIR_SANITIZE=ON)
    echo "== $build"
    build_telvir "$build" "${options[@]}"
    log=$TELVIR_ROOT/$build/ctest.log
    (cd "$TELVIR_ROOT/$build" && ctest --output-on-failure -j"$(nproc)" | tee "$log")
    # Every test must have run here, where every tool it needs is installed.
    if grep -E 'Not Run|Skipped' "$log"; then
        echo "Some tests did not run (above): every test must run here."
        exit 1
    fi
done
