#!/usr/bin/env bash
# The real game screen in window mode under Xvfb: it opens, presents frames,
# and leaves through the information picture and the closing protocol on Escape.
# Usage: game_screen_window.sh <build dir>
set -u
BUILD=$1
. "$(dirname "$0")/x11_session.sh"

# The program keeps its files beside itself: run a copy in a fresh folder,
# with the game's sounds, pictures, level and cave.
cp "$BUILD/vantorel" "$WORK/"
cp -r "$BUILD/gfx" "$BUILD/snd" "$BUILD/sps" "$WORK/"
(cd "$WORK" && ./vantorel 2 >"$WORK/out.txt" 2>&1) &
APP_PID=$!
WIN=$(wait_window "Vantorel!") || fail "no game screen window"
sleep 1.5
geometry=$(xdotool getwindowgeometry "$WIN")
echo "$geometry" | grep -q "Geometry: 800x600" || fail "window is not 800x600: $geometry"
import -window root "$WORK/shot.png" || fail "no screenshot"
# The frame shows the title screen over the cave: bright pixels.
bright=$(convert "$WORK/shot.png" -colorspace Gray -format "%[fx:maxima]" info:)
awk "BEGIN { exit !($bright > 0.9) }" || fail "the window shows no frame (max brightness $bright)"
xdotool windowfocus --sync "$WIN" 2>/dev/null
xdotool key --window "$WIN" Escape
# The information picture stays until a click, Enter or Escape.
sleep 1
xdotool key --window "$WIN" Escape
for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$APP_PID" 2>/dev/null && fail "the game screen did not close"
wait "$APP_PID"; rc=$?
APP_PID=
cp "$WORK"/sps/LOG.TXT "$WORK/log"
tail -n 1 "$WORK/log" | tr -d '\r' | grep -qx "OK" || fail "last log line is not OK"
grep -q "^Formkeydown: Escape" "$WORK/log" || fail "Escape did not reach the form"
grep -q "^FormClose: End" "$WORK/log" || fail "no closing protocol"
[ "$rc" -eq 0 ] || fail "exit code $rc"
echo "PASSED"
