#!/usr/bin/env bash
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
# -localhost keeps the VNC port on the loopback interface; the X server itself
# takes local connections only.
Xvnc ":$display" -localhost -interface 127.0.0.1 -nolisten tcp -SecurityTypes None \
    -geometry 1024x768 -depth 24 >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null' EXIT
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done

echo "No display here: Telvir runs on a private VNC display; connect a viewer to localhost:$port (from elsewhere: ssh -L $port:localhost:$port $(id -un)@$(hostname), then localhost:$port)."
DISPLAY=":$display" "$TELVIR_ROOT/build/telvir"
