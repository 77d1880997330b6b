#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What a blind player hears: the game under the Orca screen reader on a
# virtual X server, played from the keyboard and Orca's flat review, each
# step waiting until Orca has said what it must. Needs orca,
# speech-dispatcher, Xvfb, openbox, xdotool and dbus; skipped where an Orca
# of the same user runs, since Orca refuses to start beside one.
# Usage: [ORCA_LOGS=FOLDER] orca-check.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
if pgrep -u "$(id -u)" -x orca >/dev/null; then
    echo "skipped: an Orca of this user is running, and Orca starts only once a user"
    exit 77
fi
work=$(mktemp -d)
session=
running() { case $(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null) in '' | Z) return 1 ;; esac; }
# The session runs in a process session of its own, and nothing of it
# outlives the check, whatever the verdict. Its Orca is killed first, while
# the shell that started it is there to reap it: an Orca left for another
# process to reap can stay a zombie named orca, beside which no Orca starts.
stop_session() {
    [ -n "$session" ] || return 0
    pkill -KILL -s "$session" -x orca || true
    for _ in $(seq 20); do pgrep -s "$session" -x orca >/dev/null || break; sleep 0.1; done
    kill -KILL -- -"$session" 2>/dev/null || true
}
# The speech server that Orca started leaves the session, and is stopped
# through its pid file.
stop_check() {
    stop_session
    kill $(jobs -p) $(cat "$work/runtime/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null) 2>/dev/null
    rm -rf "$work"
}
trap stop_check EXIT
export HOME=$work XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" "$HOME/.config/speech-dispatcher"
chmod 700 "$XDG_RUNTIME_DIR"
# Speech without a sound card: ALSA's null device.
echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
{ grep -v '^ *AudioOutputMethod' /etc/speech-dispatcher/speechd.conf; echo 'AudioOutputMethod "alsa"'; } \
    >"$HOME/.config/speech-dispatcher/speechd.conf"

# Orca 43 and 48 write their log through Python's buffer, which would hold
# its last kilobytes back until Orca exits, and Orca takes a signal only
# once it has something else to do: written line by line, the log tells at
# once what Orca has said, and Orca can simply be killed at the end. (Orca
# 51 asks for that itself, by name.)
cat >"$work/run-orca.py" <<'ORCA'
import builtins, runpy, sys
log = sys.argv[1]
plain_open = builtins.open
def open_log_line_by_line(file, mode="r", *rest, **named):
    if file == log and not rest:
        named.setdefault("buffering", 1)
    return plain_open(file, mode, *rest, **named)
builtins.open = open_log_line_by_line
sys.argv = ["orca", "--debug-file=" + log]
runpy.run_path("/usr/bin/orca", run_name="__main__")
ORCA

cat >"$work/session.sh" <<'SESSION'
set -u
log_size() { stat -c %s "$LOG" 2>/dev/null || echo 0; }
utterances() { grep "SPEECH OUTPUT: '" "$LOG" 2>/dev/null; }
# Waits until Orca's log has grown past $1 bytes and then stayed still for
# half a second: Orca has dealt with what came last (ten seconds at most).
settle() {
    local last=$1 size still=0
    for _ in $(seq 100); do
        sleep 0.1
        size=$(log_size)
        if [ "$size" -eq "$last" ]; then still=$((still + 1)); else still=0; fi
        [ "$size" -gt "$1" ] && [ "$still" -ge 5 ] && return
        last=$size
    done
}
# hear TEXT SAID: waits until Orca says TEXT after its first SAID
# utterances (twenty seconds at most), and notes the failure otherwise.
hear() {
    for _ in $(seq 200); do
        utterances | tail -n +"$(($2 + 1))" | grep -q -F -- "$1" && return
        sleep 0.1
    done
    echo "FAIL: not heard: $1" >>"$FAILURES"
}
# act TEXT COMMAND...: runs COMMAND, then waits until Orca has said TEXT
# (where given) and has done with it. A click Orca makes keeps it busy and
# silent for a second or more, which only what the click makes heard can
# tell from Orca having finished.
act() {
    local text=$1 size said
    shift
    size=$(log_size)
    said=$(utterances | wc -l)
    "$@"
    [ -z "$text" ] || hear "$text" "$said"
    settle "$size"
}
# key KEY [TEXT]: KEY held as briefly as a person holds it. Orca 51 acts on
# a key press after it has taken the release, and takes a press whose
# release came first for a new command, which starts flat review afresh.
key() { act "${2:-}" xdotool keydown "$1" sleep 0.15 keyup "$1"; }
# review_to TEXT: flat review moves on, item by item, until Orca reads TEXT
# (forty items at most). Orca 51 reads a check box as two items, its state
# and then its name; Orca 43 and 48 as one.
review_to() {
    local said
    for _ in $(seq 40); do
        said=$(utterances | wc -l)
        key KP_Right
        utterances | tail -n +"$((said + 1))" | grep -q -F -- "$1" && return
    done
    echo "FAIL: flat review never reached: $1" >>"$FAILURES"
}
# The keypad's / by its keycode on Xvfb's keymap. Asked for the keysym
# KP_Divide, which the keymap puts on several levels of that key, xdotool
# presses Alt with it: Orca 43 and 48 still take KP_Divide, but Orca 51
# hears Alt+KP_Divide, bound to nothing, and neither routes nor clicks.
kp_divide=106
cell() { # cell COLUMN ROW TEXT: a click on the cell
    local window WINDOW X Y WIDTH HEIGHT SCREEN # the last five set by getwindowgeometry
    window=$(xdotool search --onlyvisible --name '^Тельвир$' | head -1)
    eval "$(xdotool getwindowgeometry --shell "$window")" # the board is 389 - 60 above the bottom
    act "$3" xdotool mousemove --window "$window" $((10 + $1 * 40 + 20)) $((HEIGHT - 389 + 60 + $2 * 40 + 20)) click 1
}
openbox >/dev/null 2>&1 &
/usr/bin/python3 "$ORCA" "$LOG" >"$LOG.out" 2>&1 &
orca=$!
act 'Screen reader on' true
start_game() { QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$PROGRAM" >/dev/null 2>&1 & }
act 'Ходит Игрок-1. Укажи первую бьющую фишку.' start_game
key Tab 'Сбросить текущий ход'                 # «Сброс», where flat review starts
review_to 'd5:'                                # along the line to d5
# Orca's mouse events reach the X server only a second or more after Orca
# has looked whether the pointer moved, and a click it takes for lost it
# makes again, on the cell's centre. So the pointer is routed to d5 first,
# and the click waits until it is there: a click where the pointer already
# is cannot be taken for lost.
pointer=$(xdotool getmouselocation)
key Insert+$kp_divide
for _ in $(seq 200); do [ "$(xdotool getmouselocation)" != "$pointer" ] && break; sleep 0.1; done
key $kp_divide 'Куда ставим новую фишку?'      # flat review's click picks d5
key KP_Up 'checked d5: зелёная фишка'          # the line read again, d5 pressed
cell 0 0 'Кого там бить собрался?'             # a wrong click
cell 5 3 'Ход или сброс?'                      # f5 marks the line d5-f5
key shift+Tab 'Закончить ход'                  # back to «Ход»
key Return 'Ходит Игрок-2. Укажи первую бьющую фишку.'  # the move; the turn passes, in one utterance
for _ in 1 2 3 4 5 6; do key KP_Home; done     # flat review, up to the headline
key KP_Up
key Tab 'Сбросить текущий ход'                 # «Сброс»
key Tab 'Текущий игрок сдается!'               # «Сдаюсь!»
key space 'Игра окончена dialog Выиграл Игрок-1!'  # player 2 gives up: the result window
key Return 'Ходит Игрок-1'                     # closing it starts a new game
# Reaped here: a killed Orca left for another process to reap can stay a
# zombie named orca, and the next Orca refuses to start beside it.
kill -KILL "$orca"
wait "$orca"
kill $(jobs -p)
SESSION

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
touch "$work/failures"
DISPLAY=:$(cat "$work/display") LOG=$work/orca.log ORCA=$work/run-orca.py PROGRAM=$program FAILURES=$work/failures \
    setsid dbus-run-session -- bash "$work/session.sh" &
session=$!
for _ in $(seq 1800); do running "$session" || break; sleep 0.1; done # three minutes at most
running "$session" && stop_session
wait "$session" || echo "FAIL: the session did not end" >>"$work/failures"
sed -n "s/.*SPEECH OUTPUT: '\\([^']*\\)'.*/\\1/p" "$work/orca.log" | grep -v -x 'Screen reader o[nf]*\.' >"$work/heard"
cat "$work/heard"
# Orca's debug log and its own messages, where asked for.
[ -z "${ORCA_LOGS:-}" ] || cp "$work/orca.log" "$work/orca.log.out" "$ORCA_LOGS"
# Orca 43 reads a notification (Qt 6.4) with a full stop, Orca 48 and 51 an
# announcement (Qt 6.8, 6.11) as it stands.
grep -q -x 'Ходит Игрок-1\.\?' <(tail -n 1 "$work/heard") || echo "FAIL: the new game was not heard last" >>"$work/failures"
cat "$work/failures"
[ ! -s "$work/failures" ] && echo "Orca check: everything was heard"
