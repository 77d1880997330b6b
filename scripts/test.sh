#!/usr/bin/env bash
# Builds Telvir and runs every test, installing whatever is missing first.
source "$(dirname "${BASH_SOURCE[0]}")/prepare.sh"

install_missing_packages
build_telvir
cd "$TELVIR_BUILD"
ctest --output-on-failure -j"$(nproc)"
