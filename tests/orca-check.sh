#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What a blind player hears: the game under the Orca screen reader on a
# virtual X server, played from the keyboard and Orca's flat review, with
# Orca's log of every utterance checked afterwards. Slow (about a minute)
# and outside the test run; needs orca, speech-dispatcher, xvfb, openbox,
# xdotool and dbus. Orca often stalls while it speaks the new game at the
# end, and never says it: run it again if that is its only failure.
# Usage: [ORCA_LOGS=FOLDER] orca-check.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" "$HOME/.config/speech-dispatcher"
chmod 700 "$XDG_RUNTIME_DIR"
# Speech without a sound card: ALSA's null device.
echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
{ grep -v '^ *AudioOutputMethod' /etc/speech-dispatcher/speechd.conf; echo 'AudioOutputMethod "alsa"'; } \
    >"$HOME/.config/speech-dispatcher/speechd.conf"

cat >"$work/session.sh" <<'SESSION'
set -u
step() { xdotool "$@"; sleep 1.2; }
cell() { # click the cell at column $1, row $2
    local window WINDOW X Y WIDTH HEIGHT SCREEN # the last five set by getwindowgeometry
    window=$(xdotool search --onlyvisible --name '^Тельвир$' | head -1)
    eval "$(xdotool getwindowgeometry --shell "$window")" # the board is 389 - 60 above the bottom
    step mousemove --window "$window" $((10 + $1 * 40 + 20)) $((HEIGHT - 389 + 60 + $2 * 40 + 20)) click 1
}
openbox >/dev/null 2>&1 &
orca --disable braille --disable braille-monitor --debug-file="$LOG" >"$LOG.out" 2>&1 &
orca=$!
sleep 6
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$PROGRAM" >/dev/null 2>&1 &
sleep 4
step key Tab                           # to «Сброс»: flat review starts there
for _ in 1 2 3 4 5 6 7; do step key KP_Right; done  # along the line to d5
# The pointer is routed to d5 first: Orca clicks where it routes it, and
# a click that starts where the pointer already is cannot be taken for
# lost (Orca 43 clicks again when it asks where the pointer is before the
# X server has moved it).
step key Insert+KP_Divide
step key KP_Divide                     # flat review's click picks d5
step key KP_Up                         # reads the line again
cell 0 0                               # a wrong click
cell 5 3                               # f5 marks the line d5-f5
step key shift+Tab                     # back to «Ход»
step key Return                        # the move
step key KP_Home                       # flat review, up to the headline
step key KP_Home
step key KP_Home
step key KP_Home
step key KP_Home
step key KP_Home
step key KP_Up
step key Tab                           # «Сброс»
step key Tab                           # «Сдаюсь!»
step key space                         # player 2 gives up
step key Return                        # closes the result window: a new game
# Orca is sometimes slow to speak here; the new game is waited for up to
# half a minute.
for _ in $(seq 60); do
    grep -q "SPEECH OUTPUT: 'Ходит Игрок-1" "$LOG" && break
    sleep 0.5
done
sleep 2
kill "$orca" # first, and waited for, so that its log is complete
wait "$orca"
kill $(jobs -p)
SESSION

Xvfb :87 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null &
sleep 0.5
DISPLAY=:87 LOG=$work/orca.log PROGRAM=$program timeout 180 dbus-run-session -- bash "$work/session.sh" || true
sed -n "s/.*SPEECH OUTPUT: '\\([^']*\\)'.*/\\1/p" "$work/orca.log" | grep -v -x 'Screen reader o[nf]*\.' >"$work/heard"
cat "$work/heard"
# Orca's debug log and its own messages, where asked for.
[ -z "${ORCA_LOGS:-}" ] || cp "$work/orca.log" "$work/orca.log.out" "$ORCA_LOGS"

failed=0
expect() {
    if ! grep -q -F -- "$1" "$work/heard"; then
        echo "FAIL: not heard: $1"
        failed=1
    fi
}
expect 'Куда ставим новую фишку?'                      # the anchor, picked through flat review
expect 'checked d5: зелёная фишка'                     # the pressed cell, read in its line
expect 'Кого там бить собрался?'                       # the wrong click
expect 'Ход или сброс?'                                # the marked line
expect 'Ходит Игрок-2. Укажи первую бьющую фишку.'     # the turn passes, in one utterance
expect 'Игра окончена dialog Выиграл Игрок-1!'         # the result window
# Orca 43 reads a notification (Qt 6.4) with a full stop, Orca 48 an
# announcement (Qt 6.8) as it stands.
grep -q -x 'Ходит Игрок-1\.\?' <(tail -n 1 "$work/heard") || { echo "FAIL: the new game was not heard last"; failed=1; }
[ "$failed" -eq 0 ] && echo "Orca check: everything was heard"
exit "$failed"
