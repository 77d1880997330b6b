#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command on a virtual X server of its own, under a window manager
# (openbox, icewm, fluxbox, xfwm4, metacity, kwin_x11 or mutter), with no
# session bus, as over ssh -X;
# or under kwin_wayland, on the X server it starts for X11 programs.
# Openbox keeps margins along the top and left, so that the work area does
# not start at the screen's corner; mutter, a compositing manager, is set up
# as in a GNOME session, where it attaches dialogs to their window (and the
# command is told so by TELVIR_DIALOGS_ATTACHED). The command fails if it left anything
# running, such as a session bus started for the display.
# Usage: with-window-manager.sh WINDOW_MANAGER COMMAND [ARGUMENTS]
set -euo pipefail
wm=$1
shift
if [ -z "${TELVIR_WM_STARTED:-}" ]; then
    export TELVIR_WM_STARTED=1
    if [ "$wm" != kwin_wayland ]; then
        # -noreset: an X server resets whenever its last client leaves, and
        # refuses connections meanwhile; the short-lived xprop calls here
        # would leave the window manager to connect during such a reset.
        exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" "$0" "$wm" "$@"
    fi
    # kwin_wayland, on a virtual screen of its own, with Plasma's window
    # decoration. Its binary carries a file capability that a container may
    # refuse, so a copy of it runs, without the capability. kwin ends with
    # the session it starts, which is this script once more, and which
    # leaves its output and status.
    kwin=$(mktemp -d)
    trap 'rm -rf "$kwin"' EXIT
    cp "$(command -v kwin_wayland)" "$kwin/kwin_wayland"
    # Where X servers keep their sockets, which kwin does not make itself.
    [ -d /tmp/.X11-unix ] || install -d -m 1777 /tmp/.X11-unix
    printf '%q %q' "$0" "$wm" >"$kwin/session"
    printf ' %q' "$@" >>"$kwin/session"
    printf ' >%q 2>&1; echo $? >%q\n' "$kwin/output" "$kwin/status" >>"$kwin/session"
    chmod 700 "$kwin"
    HOME=$kwin XDG_RUNTIME_DIR=$kwin XDG_CONFIG_HOME=$kwin dbus-run-session -- \
        "$kwin/kwin_wayland" --virtual --xwayland --width 1280 --height 1024 --socket telvir \
        --exit-with-session "bash $kwin/session" >"$kwin/kwin.log" 2>&1 || true
    cat "$kwin/output" 2>/dev/null
    [ -s "$kwin/status" ] || { echo "FAIL: kwin_wayland ended early: $(cat "$kwin/kwin.log")"; exit 1; }
    exit "$(cat "$kwin/status")"
fi
home=$(mktemp -d)
wm_pid=
# Ends the window manager and whatever it started (its session): asked
# first, then killed if it is still there after two seconds, as fluxbox
# stuck on a lock was seen to be. bash's own wait was seen to miss its end
# under load, and hang, so its state is read instead.
stop_window_manager() {
    local signal
    if [ -n "$wm_pid" ]; then
        for signal in TERM KILL; do
            kill -"$signal" -- -"$wm_pid" 2>/dev/null || break
            for _ in $(seq 20); do
                ps -o stat= -s "$wm_pid" | grep -q '^[^Z]' || break 2
                sleep 0.1
            done
        done
        wait "$wm_pid" 2>/dev/null || true
    fi
    rm -rf "$home" 2>/dev/null || true
}
trap stop_window_manager EXIT
unset DBUS_SESSION_BUS_ADDRESS
export HOME=$home XDG_RUNTIME_DIR=$home XDG_CONFIG_HOME=$home/.config
command=("$wm")
case $wm in
openbox)
    cat >"$home/rc.xml" <<'XML'
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <margins><top>40</top><left>60</left><right>0</right><bottom>0</bottom></margins>
</openbox_config>
XML
    command=(openbox --sm-disable --config-file "$home/rc.xml")
    ;;
fluxbox)
    # Its wallpaper setter finds nothing to set the wallpaper with on a bare
    # X server and says so in a window of its own, which would take the
    # keyboard from the windows under test: it is given one that does nothing.
    mkdir "$home/bin"
    printf '#!/bin/sh\n' >"$home/bin/fbsetbg"
    chmod +x "$home/bin/fbsetbg"
    command=(env "PATH=$home/bin:$PATH" fluxbox)
    ;;
xfwm4 | kwin_x11)
    # Each reads its settings through a bus of its own, which ends with it:
    # xfwm4 from Xfce's settings daemon, which the bus starts.
    command=(dbus-run-session -- "$wm" --replace)
    ;;
mutter)
    # GNOME's own setting, given as its desktop's defaults are, and a bus of
    # its own that ends with it.
    cp -r /usr/share/glib-2.0/schemas "$home/schemas"
    printf '[org.gnome.mutter]\nattach-modal-dialogs=true\n' >"$home/schemas/zz-telvir.gschema.override"
    glib-compile-schemas "$home/schemas"
    command=(env GSETTINGS_SCHEMA_DIR="$home/schemas" XDG_CURRENT_DESKTOP=GNOME
        dbus-run-session -- mutter --x11 --replace --sm-disable)
    export TELVIR_DIALOGS_ATTACHED=1
    ;;
esac
# In a session of its own, so that nothing it signals on the way out reaches
# this script. (kwin_wayland runs already, around this script.)
if [ "$wm" != kwin_wayland ]; then
    setsid "${command[@]}" >"$home/wm.log" 2>&1 &
    wm_pid=$!
fi
# The window manager is ready once it manages windows: first its check
# window is there and names itself, as EWMH has a running window manager do;
# then a probe window has been framed. A map it misses while it starts is
# never seen again, so a probe not framed within a second gives way to a
# new one. One that never frames a probe fails here, saying so.
for _ in $(seq 100); do
    check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -o '0x[0-9a-f]*$') &&
        xprop -id "$check" _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "$check\$" && break
    sleep 0.05
done
probe=
managed=
for _ in $(seq 10); do
    xmessage -name telvir-probe -geometry +0+0 ready >>"$home/probe.log" 2>&1 &
    probe=$!
    for _ in $(seq 20); do
        # Found by its class: mutter 48 gives its frames the window's title.
        id=$(xwininfo -root -tree | awk '/\("telvir-probe" / && !id { id = $1 } END { print id }')
        if [ -n "$id" ] && xprop -id "$id" WM_STATE 2>/dev/null | grep -q 'window state'; then
            managed=yes
            break 2
        fi
        sleep 0.05
    done
    kill "$probe" 2>/dev/null || true
    wait "$probe" 2>/dev/null || true
done
kill "$probe" 2>/dev/null || true
if [ -z "$managed" ]; then
    echo "FAIL: $wm never managed a window on $DISPLAY ($(xprop -root _NET_SUPPORTING_WM_CHECK 2>&1))"
    echo "$wm said: $(cat "$home/wm.log")"
    echo "the probe said: $(cat "$home/probe.log")"
    exit 1
fi
export TELVIR_WM_RUN=$$ # marks what the command starts, and nothing of the window manager's
area=
for _ in $(seq 20); do
    sleep 0.1
    now=$(xprop -root _NET_WORKAREA 2>/dev/null)
    [[ $now == *=* && $now == "$area" ]] && break
    area=$now
done
status=0
"$@" || status=$?
# Whatever runs with this environment, but for this script and the window
# manager, was left behind by the command.
left=()
for environment in $(grep -l -z -x "TELVIR_WM_RUN=$$" /proc/[0-9]*/environ 2>/dev/null); do
    pid=${environment#/proc/}
    pid=${pid%/environ}
    [ "$pid" = $$ ] || [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = grep ] || left+=("$pid")
done
if [ ${#left[@]} -gt 0 ]; then
    echo "FAIL: left running: $(ps -o args= -p "${left[*]// /,}")"
    kill "${left[@]}" 2>/dev/null || true
    exit 1
fi
exit "$status"
