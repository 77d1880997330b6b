#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Telvir and runs every test, installing whatever is missing first:
# once in the normal build, and once more built with AddressSanitizer and
# UndefinedBehaviorSanitizer.
source "$(dirname "${BASH_SOURCE[0]}")/prepare.sh"

install_missing_packages "${TELVIR_ALL_PACKAGES[@]}"
for build in build build-sanitize; do
    options=()
    what="the normal build"
    if [ "$build" = build-sanitize ]; then
        options=(-DTELVIR_SANITIZE=ON)
        what="the build with AddressSanitizer and UndefinedBehaviorSanitizer"
    fi
    echo "== $build/: $what"
    build_telvir "$build" all "${options[@]}"
    echo "== $build/: its $(cd "$TELVIR_ROOT/$build" && ctest -N | sed -n 's/^Total Tests: //p') tests"
    log=$TELVIR_ROOT/$build/ctest.log
    (cd "$TELVIR_ROOT/$build" && ctest --output-on-failure -j"$(nproc)" | tee "$log")
    # Every test must have run here, where every tool it needs is installed.
    if grep -E 'Not Run|Skipped' "$log"; then
        echo "Some tests did not run (above): every test must run here."
        exit 1
    fi
done
