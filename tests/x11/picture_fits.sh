#!/usr/bin/env bash
# Full screen at 800 x 600 (display mode 0) on a screen that cannot switch to
# that resolution, with no window manager or with one: the game screen's
# window lies inside the screen, the whole 800 x 600 picture shows in it (the
# farewell picture, compared with its file after scaling the shot back), and
# a click at a known game position in the cave editor places a piece exactly
# there.
# Usage: picture_fits.sh <build dir> [wm]
set -u
BUILD=$1
WITH_WM=${2:-}
. "$(dirname "$0")/x11_session.sh"

if [ -n "$WITH_WM" ]; then
  command -v openbox >/dev/null || { echo "SKIPPED: openbox is not installed"; exit 77; }
  openbox --sm-disable >"$WORK/wm.txt" 2>&1 &
  for _ in $(seq 200); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" || { cat "$WORK/wm.txt"; fail "the window manager did not start"; }
fi

copy_program
printf 'caveedit: 1\r\n' >"$APP/sps/prog.cfg"
cp "$APP/sps/front.dat" "$WORK/front-before.dat"
read -r SCREEN_W SCREEN_H < <(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')

start_menu
sleep 1
click_play
sleep 3
GAME=$(other_window)
[ -n "$GAME" ] || fail "the game screen went away"
eval "$(xdotool getwindowgeometry --shell "$GAME")"
echo "game window ${WIDTH}x${HEIGHT}+${X}+${Y} on ${SCREEN_W}x${SCREEN_H}"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le "$SCREEN_W" ] && [ $((Y + HEIGHT)) -le "$SCREEN_H" ] ||
  fail "the game screen ${WIDTH}x${HEIGHT}+${X}+${Y} reaches beyond the screen"
# The picture's place in the window.
read -r PX PY PW PH < <(picture_place 800 600 "$WIDTH" "$HEIGHT")
PX=$((X + PX)) PY=$((Y + PY))

# A click at game position (300, 250), where the cave is empty.
GX=300 GY=250
SX=$(output_point "$PX" "$PW" 800 "$GX")
SY=$(output_point "$PY" "$PH" 600 "$GY")
xdotool windowfocus --sync "$GAME" 2>/dev/null
xdotool mousemove "$SX" "$SY"
sleep 0.5
xdotool click 1
sleep 0.5
# Escape saves the cave and shows the farewell picture until the next key.
xdotool key --window "$GAME" Escape 2>/dev/null
for _ in $(seq 100); do grep -q "^glsExit: Close4" "$APP/sps/LOG.TXT" 2>/dev/null && break; sleep 0.1; done
grep -q "^glsExit: Close4" "$APP/sps/LOG.TXT" || fail "the game screen did not wind down"
sleep 0.5
import -window root "$WORK/shot.png"
convert "$WORK/shot.png" -crop "${PW}x${PH}+${PX}+${PY}" +repage -resize '800x600!' "$WORK/picture.png"
difference=$(compare -metric RMSE "$WORK/picture.png" "$APP/gfx/sb/Info.jpg" null: 2>&1 | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p')
echo "farewell picture: normalised RMSE $difference"
awk -v d="$difference" 'BEGIN { exit !(d != "" && d < 0.06) }' ||
  fail "the screen does not show the whole picture at ${PW}x${PH}+${PX}+${PY} (RMSE $difference)"
[ -n "${KEEP_SHOTS:-}" ] && cp "$WORK/shot.png" "$KEEP_SHOTS/fit${WITH_WM:+-wm}.png"
xdotool key --window "$GAME" Escape 2>/dev/null
wait_game_closed
close_menu

check_placed "$WORK/front-before.dat" "$APP/sps/front.dat" "$GX" "$GY"
echo "PASSED"
