#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Telvir and starts it, installing whatever is missing first. Without a
# display it opens a private VNC display reachable from this machine only.
source "$(dirname "${BASH_SOURCE[0]}")/prepare.sh"

install_missing_packages
build_telvir build

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$TELVIR_ROOT/build/telvir"
fi

display=1
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
port=$((5900 + display))
# Only the user who started it may watch and play: the VNC port listens on
# the loopback interface only and asks for a one-time password, kept in a
# folder that only this user can read; the X server takes local connections
# only.
secrets=$(mktemp -d)
server=
trap 'if [ -n "$server" ]; then kill "$server" 2>/dev/null; fi; rm -rf "$secrets"' EXIT
password=$(LC_ALL=C tr -dc 'A-Za-z0-9' < <(head -c 512 /dev/urandom))
password=${password:0:8} # VNC authentication reads eight characters
(umask 077 && vncpasswd -f <<<"$password" >"$secrets/passwd")
Xvnc ":$display" -localhost -interface 127.0.0.1 -nolisten tcp \
    -SecurityTypes VncAuth -PasswordFile "$secrets/passwd" \
    -geometry 1024x768 -depth 24 >/dev/null 2>&1 &
server=$!
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done

echo "No display here: Telvir runs on a private VNC display on port $port of this machine's loopback interface."
echo "Connect with: vncviewer localhost::$port   (from elsewhere: ssh -L $port:localhost:$port $(id -un)@$(hostname), then the same)"
echo "Password: $password"
DISPLAY=":$display" "$TELVIR_ROOT/build/telvir"
