# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by play.sh, test.sh and test-release.sh: installs what a fresh
# Debian 12 or 13 lacks and builds the project into build/. Both steps do
# nothing when nothing changed.

set -euo pipefail

TELVIR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What building and playing need: play.sh installs these.
TELVIR_PACKAGES=(
    cmake g++ ninja-build pkg-config     # the tool chain
    qt6-base-dev libxcb1-dev             # Qt 6 Widgets and Test, and the X client library
    fonts-liberation2                    # faces with Cyrillic letters for the forms' fonts
)
# What a private display needs, where there is none: play.sh installs these
# only then.
TELVIR_PRIVATE_DISPLAY_PACKAGES=(
    tigervnc-standalone-server tigervnc-tools  # the VNC server and its password file
    xauth x11-utils dbus                 # its cookie, waiting for it, and a session bus
)
# What the tests need besides: test.sh installs these too, and the above.
TELVIR_TEST_PACKAGES=(
    valgrind                             # the memory check of a whole game
    dpkg-dev desktop-file-utils appstream  # packaging and checking the desktop files
    lintian reuse                        # the checks a distribution makes
    clang-format                         # the formatting check
    xvfb                                 # a virtual X server for tests that need one
    openbox icewm fluxbox wmctrl         # window managers, and a pager's requests to them
    xfwm4 metacity kwin-x11              # Xfce's, GNOME Flashback's and Plasma's on X11
    mutter libglib2.0-bin                # GNOME's, and what sets it up as GNOME does
    qt6-gtk-platformtheme                # Qt's GTK theme, which Debian installs with Qt
    kwin-wayland breeze                  # Plasma's on Wayland, with its window decoration
    iproute2                             # what the private display listens on
    orca at-spi2-core xdotool            # a screen reader, its bus, and keys for it
    speech-dispatcher speech-dispatcher-espeak-ng  # the speech it sends
)

# Every package above: test.sh installs them all.
TELVIR_ALL_PACKAGES=("${TELVIR_PACKAGES[@]}" "${TELVIR_PRIVATE_DISPLAY_PACKAGES[@]}" "${TELVIR_TEST_PACKAGES[@]}")

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# install_missing_packages PACKAGE...
install_missing_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing ${missing[*]}"
    as_root apt-get update -qq
    # apt's status lines ("pmstatus:PACKAGE:PERCENT:WHAT") become progress,
    # a line every five per cent.
    with_progress "installing" awk -F: '/^(dl|pm)status:/ {
            step = int($3 / 5)
            if ($1 != phase || step != last) { print "[" int($3) "%] " $4; fflush() }
            phase = $1; last = step }' -- \
        as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends -o APT::Status-Fd=1 "${missing[@]}"
}

# build_telvir FOLDER TARGET [cmake options]: configures when the folder is
# new or the options differ from last time, then builds what of the target
# (all: everything) changed, with Ninja.
build_telvir() {
    local name=$1
    local folder=$TELVIR_ROOT/$1
    local target=$2
    shift 2
    local options="-G Ninja $*"
    if [ ! -f "$folder/CMakeCache.txt" ] || [ "$(cat "$folder/.telvir-options" 2>/dev/null)" != "$options" ]; then
        echo "Configuring $name/ ${*:+($*)}"
        # A folder configured for another generator is configured anew.
        grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$folder/CMakeCache.txt" 2>/dev/null \
            || rm -rf "$folder/CMakeCache.txt" "$folder/CMakeFiles"
        with_progress "$name/" sed -n '' -- cmake -S "$TELVIR_ROOT" -B "$folder" -G Ninja "$@"
        printf '%s' "$options" >"$folder/.telvir-options"
    fi
    # Ninja's own progress lines: "[12/80] Building CXX object …".
    with_progress "$name/" grep --line-buffered -E '^\[[0-9]+/[0-9]+\] (Building|Linking|Generating)' -- \
        cmake --build "$folder" --target "$target" --parallel "$(nproc)"
}

# with_progress LABEL FILTER... -- COMMAND...: runs the command, showing the
# lines of its output that the filter passes as progress under the label (on
# a terminal, one line that keeps changing); all of its output is shown only
# when it fails.
with_progress() {
    local label=$1 filter=() log status=0 line
    shift
    while [ "$1" != -- ]; do filter+=("$1"); shift; done
    shift
    log=$(mktemp)
    { "$@" 2>&1 || echo $? >"$log.status"; } | tee "$log" | "${filter[@]}" | while IFS= read -r line; do
        if [ -t 1 ]; then
            printf '\r\033[K%s: %.*s' "$label" "$(($(tput cols 2>/dev/null || echo 80) - ${#label} - 3))" "$line"
        else
            printf '%s: %s\n' "$label" "$line"
        fi
    done || true # a filter that passed nothing
    [ -t 1 ] && printf '\r\033[K'
    if [ -f "$log.status" ]; then
        status=$(cat "$log.status")
        cat "$log"
        echo "$label: failed (status $status)"
    fi
    rm -f "$log" "$log.status"
    return "$status"
}
