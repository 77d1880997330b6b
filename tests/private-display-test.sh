#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The private display of scripts/play.sh: only its user reaches it, nothing
# listens but the VNC port on loopback, which asks for a password, the game
# gets a session bus of its own, and all of it ends with the game.
# Usage: private-display-test.sh SOURCE_DIR
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Run in place of the game: looks at the display from inside and outside.
cat >"$work/probe.sh" <<'PROBE'
set -u
out=$1
{
    echo "display=$DISPLAY"
    echo "server=$(pgrep -x Xvnc -n)"
    echo "bus=$(pgrep -P "$PPID" -x dbus-daemon)"
    [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] && echo "has-bus"
    xdpyinfo >/dev/null 2>&1 && echo "owner-connects"
    XAUTHORITY=/dev/null xdpyinfo >/dev/null 2>&1 && echo "anyone-connects"
    if [ "$(id -u)" -eq 0 ]; then
        setpriv --reuid=nobody --regid=nogroup --clear-groups env XAUTHORITY=/nonexistent \
            xdpyinfo >/dev/null 2>&1 && echo "nobody-connects"
    fi
    ss -ltnpH | grep '"Xvnc"' | awk '{print "listens=" $4}'
    port=$((5900 + ${DISPLAY#:}))
    exec 3<>"/dev/tcp/127.0.0.1/$port"
    head -c 12 <&3 >/dev/null
    printf 'RFB 003.008\n' >&3
    echo "security=$(head -c 2 <&3 | od -An -tu1 | tr -s ' ' | sed 's/^ //')"
    exec 3<&-
} >"$out"
PROBE

"$1/scripts/private-display.sh" bash "$work/probe.sh" "$work/seen" >"$work/printed"
cat "$work/seen"
grep -q '^Password: [A-Za-z0-9]\{8\}$' "$work/printed" || fail "no one-time password printed"
grep -qx 'owner-connects' "$work/seen" || fail "the game cannot reach its display"
! grep -qx 'anyone-connects' "$work/seen" || fail "the display admits clients without its cookie"
! grep -qx 'nobody-connects' "$work/seen" || fail "another user reaches the display"
grep -qx 'has-bus' "$work/seen" || fail "no session bus"
port=$((5900 + $(sed -n 's/^display=://p' "$work/seen")))
grep -qx "listens=127.0.0.1:$port" "$work/seen" || fail "the VNC port is not on loopback"
! grep '^listens=' "$work/seen" | grep -v -x -e "listens=127.0.0.1:$port" -e "listens=\[::1\]:$port" \
    || fail "the server listens elsewhere than on the VNC port on loopback"
grep -qx 'security=1 2' "$work/seen" || fail "the VNC port does not ask for a password alone"
for what in server bus; do
    pid=$(sed -n "s/^$what=//p" "$work/seen")
    [ -n "$pid" ] || fail "no $what seen"
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    ! kill -0 "$pid" 2>/dev/null || fail "the $what outlived the game"
done
echo "private display: all checks passed"
