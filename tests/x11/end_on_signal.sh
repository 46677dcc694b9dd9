#!/usr/bin/env bash
# SIGTERM and SIGINT end the program as closing the menu window does: with the
# menu idle, during play (the game screen closes through its protocol first)
# and while a message box is open; each time it exits 0 within two seconds and
# env.dat is saved, with the games started counted. The game ended by the
# signal leaves a replay that plays to its end, the signal included.
# Usage: end_on_signal.sh <build dir>
set -u
BUILD=$1
. "$(dirname "$0")/x11_session.sh"

copy_program
ENV=$APP/sps/env.dat

# end_by SIGNAL: sends it and waits two seconds at most for exit code 0.
end_by() {
  kill -s "$1" "$APP_PID"
  wait_exit 20
}

# The menu idle (after the music was converted): SIGTERM saves a new env.dat.
start_menu
for _ in $(seq 300); do [ -e "$APP/snd/back.wav" ] && break; sleep 0.1; done
sleep 1.5
end_by TERM
[ "$(stat -c %s "$ENV" 2>/dev/null)" = 9552 ] || fail "SIGTERM with the menu idle saved no env.dat"

# During play in window mode.
set_env_byte $DISPLAY_MODE_OFFSET 2
start_menu
sleep 1
: >"$APP/sps/LOG.TXT"
timeout 60 tail -F -n +1 -s 0.05 "$APP/sps/LOG.TXT" >"$WORK/log" 2>/dev/null &
click_play
sleep 2
xdotool windowfocus --sync "$GAME" 2>/dev/null
xdotool mousemove --window "$GAME" 600 300 click 1  # starts play
sleep 1
grep -q "^glsBegin: Return" "$WORK/log" || fail "the game did not start"
end_by TERM
sleep 0.3
[ "$(env_byte $GAMES_STARTED_OFFSET)" = 1 ] || fail "SIGTERM during play lost the game started"
grep -q "^FormClose: Reclose" "$WORK/log" || fail "the game screen was not asked to close"
tail -n 1 "$WORK/log" | tr -d '\r' | grep -qx "OK" || fail "the game screen did not close cleanly"
REPLAY=$(ls "$APP"/replays/*.replay 2>/dev/null | head -n 1)
grep -qx "quit" "$REPLAY" 2>/dev/null || fail "no replay holds the signal"
"$BUILD/vantorel-headless" --dir "$APP" --replay "$REPLAY" --verify >/dev/null 2>"$WORK/verify.err" ||
  fail "the replay of the game ended by SIGTERM does not verify: $(cat "$WORK/verify.err")"

# A message box open (a music file that does not decode): SIGINT, as Ctrl+C.
printf 'not music' >"$APP/snd/zz.mp3"
start_menu
wait_window "^Error$" >/dev/null || fail "no message box about the broken music file"
set_env_byte $GAMES_STARTED_OFFSET 7
end_by INT
[ "$(env_byte $GAMES_STARTED_OFFSET)" = 1 ] || fail "SIGINT with a message box open did not save env.dat"
echo "PASSED"
