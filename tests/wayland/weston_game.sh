#!/usr/bin/env bash
# The program on a Wayland compositor: weston's headless backend, with a test
# seat of our own (weston_test_input.so, which the tests steer through a FIFO)
# because that backend has no input. An X server runs beside it (Xvfb, the
# same size), so the program must choose Wayland itself. Checks:
# - the menu window and the game screen are native Wayland windows (weston
#   loads no XWayland here) and show what they show on X11: the menu's picture
#   and, in each display mode, the farewell picture, compared with the X11
#   screenshot of the same frame;
# - in each display mode a click at a game position in the cave editor places
#   a piece exactly there, as on X11;
# - a whole game (a virus gets through, no new high score) runs to its end
#   and the next game's title follows.
# Usage: weston_game.sh <build dir> <test seat module>
set -u
BUILD=$1
MODULE=$(realpath -m "$2")
command -v weston >/dev/null || { echo "SKIPPED: weston is not installed"; exit 77; }
[ -f "$MODULE" ] || { echo "SKIPPED: no test seat module (libweston-10-dev was missing at the build)"; exit 77; }
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
  { echo "SKIPPED: Qt's Wayland platform (qt6-wayland) is not installed"; exit 77; }
XVFB_SCREEN=1280x720x24
. "$(dirname "$0")/../x11/x11_session.sh"

# --- weston ------------------------------------------------------------------
RUN=$WORK/run
mkdir -m 700 "$RUN" "$WORK/shots"
mkfifo "$WORK/input"
printf '[core]\nidle-time=0\n[shell]\npanel-position=none\nbackground-color=0xff103050\nlocking=false\n' \
  >"$WORK/weston.ini"
# start_weston SOCKET [weston options]
start_weston() {
  local socket=$1
  shift
  XDG_RUNTIME_DIR=$RUN VANTOREL_WESTON_INPUT=$WORK/input weston --backend=headless-backend.so --use-pixman \
    --width=1280 --height=720 --socket="$socket" --debug --config="$WORK/weston.ini" "$@" \
    >>"$WORK/weston.log" 2>&1 &
  for _ in $(seq 100); do [ -S "$RUN/$socket" ] && break; sleep 0.1; done
  [ -S "$RUN/$socket" ] || { cat "$WORK/weston.log"; fail "weston did not start"; }
}
WL_SOCKET=wayland-vantorel
start_weston $WL_SOCKET --modules="$MODULE"
wl() { XDG_RUNTIME_DIR=$RUN WAYLAND_DISPLAY=$WL_SOCKET "$@"; }
wl_input() { echo "$*" >"$WORK/input"; }
# wl_shot FILE: weston's screenshot of the whole output.
wl_shot() {
  rm -f "$WORK"/shots/*.png
  (cd "$WORK/shots" && wl timeout 10 weston-screenshooter) || fail "no screenshot from weston"
  mv "$WORK"/shots/*.png "$1"
}
# wl_shot_settled FILE: a screenshot once two in a row are the same (the
# first start converts the music under a progress bar).
wl_shot_settled() {
  wl_shot "$1"
  for _ in $(seq 60); do
    sleep 0.5
    wl_shot "$WORK/next.png"
    [ "$(rmse "$1" "$WORK/next.png")" = 0 ] && return 0
    mv "$WORK/next.png" "$1"
  done
  fail "the screen did not settle"
}
# The program's top-level windows, "X Y W H" each, from weston's scene graph.
wl_windows() {
  wl timeout 5 weston-debug scene-graph 2>/dev/null | awk '
    /role xdg_toplevel, .* of vantorel/ { want = 1; next }
    want && /position:/ { gsub(/[(),>-]/, " "); print $2, $3, $4 - $2, $5 - $3; want = 0 }'
}
# poll TENTHS CMD...: runs CMD every tenth of a second until it succeeds, at
# most TENTHS times; fails when it never does.
poll() {
  local tries=$1
  shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}
# wait_windows N: until the program has N top-level windows; sets WINDOWS.
has_windows() { WINDOWS=$(wl_windows) && [ "$(echo "$WINDOWS" | grep -c .)" -ge "$1" ]; }
wait_windows() { poll 150 has_windows "$1" || fail "$1 Wayland window(s) expected, found: '$WINDOWS'"; }
# A log that ends well, which the menu deletes when it starts: what the log
# then holds is this run's.
reset_log() { printf 'OK\r\n' >"$APP/sps/LOG.TXT"; }
# game_box W H: waits for the game screen's window at that size (full screen
# arrives a moment after the window); sets GAME_BOX.
has_game_box() {
  GAME_BOX=$(wl_windows | grep -vxF "$MENU_BOX" | awk -v w="$1" -v h="$2" '$3 == w && $4 == h' | head -n 1)
  [ -n "$GAME_BOX" ]
}
game_box() {
  wait_windows 2
  poll 200 has_game_box "$1" "$2" || fail "no game screen of ${1}x${2} among: $(wl_windows | tr '\n' ';')"
}
menu_only() { [ "$(wl_windows | grep -c .)" -le 1 ]; }
wait_game_gone() { poll 150 menu_only || fail "the game screen did not close"; }
start_wayland() {
  reset_log
  (cd "$APP" && exec env -u SDL_VIDEODRIVER XDG_RUNTIME_DIR="$RUN" WAYLAND_DISPLAY=$WL_SOCKET \
    ./vantorel >>"$WORK/out.txt" 2>&1) &
  APP_PID=$!
  wait_windows 1
  MENU_BOX=$(echo "$WINDOWS" | head -n 1)
}
end_wayland() { kill -TERM "$APP_PID"; wait_exit 300; }
logged() { grep -q "^$1" "$APP/sps/LOG.TXT" 2>/dev/null; }
wait_log() {
  poll "${2:-100}" logged "$1" && return 0
  tail -n 15 "$APP/sps/LOG.TXT"
  cat "$WORK/out.txt"
  fail "no '$1' in the log"
}
# crop SHOT X Y W H OUT: that part of a screenshot, scaled to 800 x 600.
crop() { convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -resize '800x600!' "$6"; }
rmse() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p'; }
same_picture() {
  local d
  d=$(rmse "$1" "$2")
  echo "$3: normalised RMSE $d"
  [ -n "${KEEP_SHOTS:-}" ] && cp "$1" "$2" "$KEEP_SHOTS/"
  awk -v d="$d" 'BEGIN { exit !(d != "" && d < 0.03) }' || fail "$3 differs from X11 (RMSE $d)"
}
# The frame's size in a display mode on this 1280 x 720 screen.
frame_size() { if [ "$1" = 1 ]; then echo 1280 720; else echo 800 600; fi; }

copy_program
GX=300 GY=250

# --- the menu window ---------------------------------------------------------
start_wayland
wl_shot_settled "$WORK/menu-wl.png"
[ -n "${KEEP_SHOTS:-}" ] && cp "$WORK/menu-wl.png" "$KEEP_SHOTS/"
read -r MX MY MW MH <<<"$MENU_BOX"
echo "menu window on Wayland: ${MW}x${MH}+${MX}+${MY}"
end_wayland
[ -f "$APP/sps/env.dat" ] || fail "no env.dat after the first run"
start_menu
sleep 1
eval "$(xdotool getwindowgeometry --shell "$MENU")"
import -window root "$WORK/menu-x11.png"
# The menu's picture is the bottom 400 x 350 of its client area on both.
crop "$WORK/menu-x11.png" "$X" $((Y + HEIGHT - 350)) 400 350 "$WORK/menu-x11-picture.png"
kill -TERM "$APP_PID"
wait_exit 100
# Qt's own window frame on Wayland: the client area is centred across and at the bottom.
crop "$WORK/menu-wl.png" $((MX + (MW - 400) / 2)) $((MY + MH - 350 - (MW - 400) / 2)) 400 350 \
  "$WORK/menu-wl-picture.png"
same_picture "$WORK/menu-wl-picture.png" "$WORK/menu-x11-picture.png" "the menu's picture"

# --- each display mode: a click in the cave editor, the farewell picture -----
printf 'caveedit: 1\r\n' >"$APP/sps/prog.cfg"
cp "$APP/sps/front.dat" "$WORK/front-before.dat"
for MODE in 0 1 2; do
  set_env_byte $DISPLAY_MODE_OFFSET $MODE
  read -r FW FH < <(frame_size $MODE)

  # X11 first: its screenshot is the reference.
  cp "$WORK/front-before.dat" "$APP/sps/front.dat"  # each run places its piece in the same cave
  reset_log
  start_menu
  sleep 1
  click_play
  sleep 3
  GAME=$(other_window)  # full screen may have replaced the first window
  eval "$(xdotool getwindowgeometry --shell "$GAME")"
  read -r PX PY PW PH < <(picture_place "$FW" "$FH" "$WIDTH" "$HEIGHT")
  PX=$((X + PX)) PY=$((Y + PY))
  xdotool windowfocus --sync "$GAME" 2>/dev/null
  xdotool mousemove "$(output_point "$PX" "$PW" "$FW" $GX)" "$(output_point "$PY" "$PH" "$FH" $GY)"
  sleep 0.5
  xdotool click 1
  sleep 0.5
  xdotool key --window "$GAME" Escape 2>/dev/null
  wait_log "glsExit: Close4"
  sleep 0.5
  import -window root "$WORK/x11-$MODE.png"
  xdotool key --window "$GAME" Escape 2>/dev/null
  wait_game_closed
  close_menu
  check_placed "$WORK/front-before.dat" "$APP/sps/front.dat" $GX $GY
  # The game's 800 x 600 inside the frame (mode 1 draws it centred).
  GAME_X=$(((FW - 800) / 2)) GAME_Y=$(((FH - 600) / 2))
  crop "$WORK/x11-$MODE.png" $((PX + GAME_X * PW / FW)) $((PY + GAME_Y * PH / FH)) $((800 * PW / FW)) \
    $((600 * PH / FH)) "$WORK/x11-$MODE-picture.png"

  # The same on Wayland, the keys and the pointer from the test seat.
  cp "$WORK/front-before.dat" "$APP/sps/front.dat"  # each run places its piece in the same cave
  start_wayland
  sleep 1
  # The pointer in the middle, not at the edge where the cave editor scrolls.
  wl_input move 640 360
  wl_input key 67  # F9
  if [ "$MODE" = 2 ]; then game_box 800 600; else game_box 1280 720; fi
  read -r X Y WIDTH HEIGHT <<<"$GAME_BOX"
  echo "mode $MODE: game screen on Wayland ${WIDTH}x${HEIGHT}+${X}+${Y}"
  read -r PX PY PW PH < <(picture_place "$FW" "$FH" "$WIDTH" "$HEIGHT")
  PX=$((X + PX)) PY=$((Y + PY))
  wl_input move "$(output_point "$PX" "$PW" "$FW" $GX)" "$(output_point "$PY" "$PH" "$FH" $GY)"
  sleep 0.5
  wl_input click
  sleep 0.5
  wl_input key 1  # Escape
  wait_log "glsExit: Close4"
  sleep 0.5
  wl_shot "$WORK/wl-$MODE.png"
  [ -n "${KEEP_SHOTS:-}" ] && cp "$WORK/x11-$MODE.png" "$WORK/wl-$MODE.png" "$KEEP_SHOTS/"
  wl_input key 1
  wait_game_gone
  end_wayland
  check_placed "$WORK/front-before.dat" "$APP/sps/front.dat" $GX $GY
  crop "$WORK/wl-$MODE.png" $((PX + GAME_X * PW / FW)) $((PY + GAME_Y * PH / FH)) $((800 * PW / FW)) \
    $((600 * PH / FH)) "$WORK/wl-$MODE-picture.png"
  same_picture "$WORK/wl-$MODE-picture.png" "$WORK/x11-$MODE-picture.png" "mode $MODE: the farewell picture"
done

# --- a whole game on Wayland ---------------------------------------------------
# A virus flies straight through; every rank of the table holds 1 point, so
# the lost game's 0 points bring no name entry and the next title follows.
rm -f "$APP/sps/prog.cfg"
cp "$(dirname "$0")/Level1.txt" "$APP/sps/Level1.txt"
for rank in $(seq 0 9); do
  score=$((32 + 28 * rank + 24))
  set_env_byte $score 1
  for b in 1 2 3; do set_env_byte $((score + b)) 0; done
done
set_env_byte $DISPLAY_MODE_OFFSET 0
start_wayland
sleep 1
wl_input key 67
game_box 1280 720
wl_input move 640 360
wl_input click
wait_log "glsBegin: Return"
wait_log "glsLoop: Lost" 400
wait_log "glsExit: Play again"
[ "$(grep -c "^glsInit: End" "$APP/sps/LOG.TXT")" -ge 2 ] || { sleep 1; }
[ "$(grep -c "^glsInit: End" "$APP/sps/LOG.TXT")" -ge 2 ] || fail "no next game after the lost one"
wl_input key 1
wait_log "glsExit: Close4"
wl_input key 1
wait_game_gone
end_wayland
# The menu deletes a log that ends with OK; one that ends with ERROR stays.
[ ! -f "$APP/sps/LOG.TXT" ] || [ "$(tail -n 1 "$APP/sps/LOG.TXT" | tr -d '\r')" = OK ] ||
  fail "the game screen did not end with OK"
[ "$(env_byte $GAMES_STARTED_OFFSET)" = 1 ] || fail "the game was not counted"

# --- a compositor without a seat ---------------------------------------------
# SDL's Wayland driver (2.26) would crash there as the program starts; the
# game screen takes X11 instead and the menu window still comes up.
WL_SOCKET=wayland-noseat
start_weston $WL_SOCKET
start_wayland
sleep 2
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended on a compositor without a seat"
end_wayland
echo "PASSED"
