#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command on a private VNC display that only the user who started it
# can reach, with a session bus of its own; the display, the bus and
# everything started on them end with the command.
# Usage: private-display.sh COMMAND [ARGUMENTS]
#
# The VNC port listens on the loopback interface only and asks for a one-time
# password; the X server takes local connections only, and only with the
# cookie in a folder that only this user can read.
set -euo pipefail

display=1
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
port=$((5900 + display))
secrets=$(mktemp -d)
server=
trap 'if [ -n "$server" ]; then kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; fi; rm -rf "$secrets"' EXIT
random() { # random CHARACTERS LENGTH
    local text
    text=$(LC_ALL=C tr -dc "$1" < <(head -c 4096 /dev/urandom))
    printf '%s' "${text:0:$2}"
}
password=$(random 'A-Za-z0-9' 8) # VNC authentication reads eight characters
(umask 077 && vncpasswd -f <<<"$password" >"$secrets/passwd")
export XAUTHORITY=$secrets/Xauthority
(umask 077 && : >"$XAUTHORITY" && xauth -q -f "$XAUTHORITY" add ":$display" MIT-MAGIC-COOKIE-1 "$(random '0-9a-f' 32)")
Xvnc ":$display" -auth "$XAUTHORITY" -localhost -interface 127.0.0.1 -nolisten tcp \
    -SecurityTypes VncAuth -PasswordFile "$secrets/passwd" \
    -geometry 1024x768 -depth 24 >/dev/null 2>&1 &
server=$!
for _ in $(seq 100); do
    xdpyinfo -display ":$display" >/dev/null 2>&1 && break
    sleep 0.05
done

echo "No display here: Telvir runs on a private VNC display on port $port of this machine's loopback interface."
echo "Connect with: vncviewer localhost::$port   (from elsewhere: ssh -L $port:localhost:$port $(id -un)@$(hostname), then the same)"
echo "Password: $password"
DISPLAY=":$display" dbus-run-session -- "$@"
