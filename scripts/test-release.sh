#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs scripts/test.sh in a clean system of another Debian release: Debian
# 13 "trixie" from Debian 12, Debian 12 "bookworm" from Debian 13, or
# Debian testing, "forky", the next release.
# Usage: scripts/test-release.sh [SUITE]
#
# The system is made with mmdebstrap and kept in /var/cache/telvir/SUITE
# (TELVIR_RELEASE_CACHE), as test.sh's own install step left it on the
# bare system; it is made anew when its apt sources or the package lists
# change, or when it is a week old. Each run sees it through an overlay that is thrown away after,
# with a copy of this tree as a clone has it, and without a network: the X
# servers of the tests get a network namespace of their own, so their
# abstract sockets never meet those of this machine.
source "$(dirname "${BASH_SOURCE[0]}")/prepare.sh"

case ${1:-} in
    "") case $(. /etc/os-release && echo "$VERSION_CODENAME") in
            trixie) suite=bookworm ;;
            *) suite=trixie ;;
        esac ;;
    bookworm | trixie | forky) suite=$1 ;;
    *) echo "usage: $0 [bookworm|trixie|forky]" >&2; exit 2 ;;
esac

install_missing_packages mmdebstrap iproute2 git

sources=(
    "deb http://deb.debian.org/debian $suite main"
    "deb http://deb.debian.org/debian $suite-updates main"
    "deb http://deb.debian.org/debian-security $suite-security main"
)
apt_options=()
if [ "$suite" = forky ]; then
    # Testing has no updates of its own. A mirror may serve a frozen copy of
    # it whose Release file has expired; that is allowed inside the test
    # system alone, where it only decides which packages the tests run with.
    sources=("deb http://deb.debian.org/debian $suite main")
    apt_options=(--aptopt='Acquire::Check-Valid-Until "false"')
fi
cache=${TELVIR_RELEASE_CACHE:-/var/cache/telvir}/$suite
key=$(printf '%s\n' "${sources[@]}" "${TELVIR_ALL_PACKAGES[@]}" | sha256sum | cut -d' ' -f1)
if [ "$(cat "$cache/key" 2>/dev/null)" != "$key" ] || [ -z "$(find "$cache/key" -mtime -7 2>/dev/null)" ]; then
    echo "== Making a clean Debian $suite system in $cache (a few minutes, once a week)"
    as_root rm -rf "$cache"
    as_root mkdir -p "$cache"
    # Installed by test.sh's own step, as on a fresh machine of that release.
    with_progress "$suite" grep --line-buffered -E '^I: |^\[[0-9]+%\]' -- \
        as_root mmdebstrap --variant=apt "${apt_options[@]}" \
            --customize-hook="copy-in $TELVIR_ROOT/scripts/prepare.sh /tmp" \
            --customize-hook='chroot "$1" bash -c ". /tmp/prepare.sh && install_missing_packages \"\${TELVIR_ALL_PACKAGES[@]}\""' \
            --customize-hook='rm -f "$1/tmp/prepare.sh"' \
            "$suite" "$cache/root" "${sources[@]}"
    echo "$key" | as_root tee "$cache/key" >/dev/null
fi

run=$(as_root mktemp -d /var/tmp/telvir-"$suite".XXXXXX)
trap 'as_root rm -rf "$run"' EXIT
as_root mkdir "$run/upper" "$run/work" "$run/root"
# The tree as a clone of it has it: the files git knows or would add.
as_root mkdir -p "$run/upper/root/telvir"
(cd "$TELVIR_ROOT" && git ls-files -z --cached --others --exclude-standard |
    tar --null --no-recursion -T - --recursion -cf - .git) | as_root tar -C "$run/upper/root/telvir" -xf -

echo "== Debian $suite: scripts/test.sh in $cache, without a network"
as_root unshare --mount --net --pid --fork --kill-child bash -euc '
    ip link set lo up
    cd "$1"
    mount -t overlay overlay -o "lowerdir=$2,upperdir=upper,workdir=work" root
    mount -t proc proc root/proc
    mount -t sysfs sysfs root/sys
    mount --rbind /dev root/dev
    mount -t tmpfs tmpfs root/dev/shm
    mount -t tmpfs tmpfs root/tmp
    exec chroot root env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash /root/telvir/scripts/test.sh' test-release "$run" "$cache/root"
