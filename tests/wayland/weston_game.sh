#!/usr/bin/env bash
# The program on weston's headless backend, with an X server (Xvfb) beside it
# so that it must choose Wayland itself. The backend has no input: a test seat
# of our own (weston_test_input.so) plays keys and the pointer. Checks that
# the menu window and the game screen are native Wayland windows (weston runs
# no XWayland here) showing what X11 shows (the menu's picture; the farewell
# picture in each display mode, against the X11 screenshot of that frame),
# that a click in the cave editor lands on its game pixel in each mode, that a
# game runs to its end, and that a compositor without a seat costs no crash.
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

RUN=$WORK/run
mkdir -m 700 "$RUN" "$WORK/shots"
mkfifo "$WORK/input"
printf '[core]\nidle-time=0\n[shell]\npanel-position=none\nbackground-color=0xff103050\n' >"$WORK/weston.ini"
# start_weston SOCKET [options]: a headless weston of 1280 x 720; wl runs a command on it.
start_weston() {
  WL_SOCKET=$1
  shift
  XDG_RUNTIME_DIR=$RUN VANTOREL_WESTON_INPUT=$WORK/input weston --backend=headless-backend.so --use-pixman \
    --width=1280 --height=720 --socket="$WL_SOCKET" --debug --config="$WORK/weston.ini" "$@" \
    >>"$WORK/weston.log" 2>&1 &
  for _ in $(seq 100); do [ -S "$RUN/$WL_SOCKET" ] && break; sleep 0.1; done
  [ -S "$RUN/$WL_SOCKET" ] || { cat "$WORK/weston.log"; fail "weston did not start"; }
}
wl() { XDG_RUNTIME_DIR=$RUN WAYLAND_DISPLAY=$WL_SOCKET "$@"; }
wl_input() { echo "$*" >"$WORK/input"; }
wl_shot() {
  rm -f "$WORK"/shots/*.png
  (cd "$WORK/shots" && wl timeout 10 weston-screenshooter) || fail "no screenshot from weston"
  mv "$WORK"/shots/*.png "$1"
}
# The program's top-level windows, "X Y W H" each, from weston's scene graph.
wl_windows() {
  wl timeout 5 weston-debug scene-graph 2>/dev/null | awk '
    /role xdg_toplevel, .* of vantorel/ { want = 1; next }
    want && /position:/ { gsub(/[(),>-]/, " "); print $2, $3, $4 - $2, $5 - $3; want = 0 }'
}
# poll TENTHS CMD...: CMD every tenth of a second until it succeeds, at most TENTHS times.
poll() {
  local tries=$1
  shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}
window_count() { [ "$(wl_windows | grep -c .)" "$1" "$2" ]; }
# game_box W H: waits for the game screen's window at that size (full screen
# comes a moment after the window); sets X Y WIDTH HEIGHT.
has_game_box() { GAME_BOX=$(wl_windows | awk -v w="$1" -v h="$2" '$3 == w && $4 == h'); [ -n "$GAME_BOX" ]; }
game_box() {
  poll 200 has_game_box "$1" "$2" || fail "no ${1}x${2} game screen among: $(wl_windows | tr '\n' ';')"
  read -r X Y WIDTH HEIGHT <<<"$GAME_BOX"
}
logged() { grep -q "^$1" "$APP/sps/LOG.TXT" 2>/dev/null; }
wait_log() { poll "${2:-300}" logged "$1" || { cat "$APP/sps/LOG.TXT"; fail "no '$1' in the log"; }; }
# A log that ends well is deleted by the menu as it starts: the log then holds this run's lines.
reset_log() { printf 'OK\r\n' >"$APP/sps/LOG.TXT"; }
start_wayland() {
  reset_log
  (cd "$APP" && exec env -u SDL_VIDEODRIVER XDG_RUNTIME_DIR="$RUN" WAYLAND_DISPLAY=$WL_SOCKET \
    ./vantorel >>"$WORK/out.txt" 2>&1) &
  APP_PID=$!
  poll 150 window_count -ge 1 || fail "no menu window on Wayland"
}
# F9 in the menu (the pointer in the middle, away from the cave editor's scrolling edges).
wl_play() { wl_input move 640 360; wl_input key 67; }
wl_leave() { wl_input key 1; }  # Escape
end_wayland() { kill -TERM "$APP_PID"; wait_exit 300; }
# crop SHOT X Y W H OUT: that part of a screenshot, scaled to 800 x 600.
crop() { convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -resize '800x600!' "$6"; }
same_picture() {
  local d
  d=$(compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p')
  echo "$3: normalised RMSE $d"
  [ -n "${KEEP_SHOTS:-}" ] && cp "$1" "$KEEP_SHOTS/"
  awk -v d="$d" 'BEGIN { exit !(d != "" && d < 0.03) }' || fail "$3 differs from X11 (RMSE $d)"
}

start_weston wayland-vantorel --modules="$MODULE"
copy_program

# The menu window: the bottom 400 x 350 of its client area is its picture.
# settled SHOT FILE: a screenshot (SHOT FILE takes one) once it stays the same
# for a second; the first start converts the music under a progress bar.
settled() {
  "$1" "$2"
  for _ in $(seq 30); do
    sleep 1
    "$1" "$WORK/next.png"
    [ "$(compare -metric AE "$2" "$WORK/next.png" null: 2>&1)" = 0 ] && return 0
    mv "$WORK/next.png" "$2"
  done
  fail "the screen did not settle"
}
x11_shot() { import -window root "$1"; }
start_menu
settled x11_shot "$WORK/menu-x11.png"
eval "$(xdotool getwindowgeometry --shell "$MENU")"
crop "$WORK/menu-x11.png" "$X" $((Y + HEIGHT - 350)) 400 350 "$WORK/menu-x11-picture.png"
kill -TERM "$APP_PID"
wait_exit 100
start_wayland
settled wl_shot "$WORK/menu-wl.png"
read -r MX MY MW MH < <(wl_windows)
end_wayland
# Qt's own frame on Wayland is as wide at the sides as at the bottom.
crop "$WORK/menu-wl.png" $((MX + (MW - 400) / 2)) $((MY + MH - 350 - (MW - 400) / 2)) 400 350 "$WORK/menu-wl.pic.png"
same_picture "$WORK/menu-wl.pic.png" "$WORK/menu-x11-picture.png" "the menu's picture"

# The farewell picture on X11 (a window: the picture unscaled) is the reference.
set_env_byte $DISPLAY_MODE_OFFSET 2
reset_log
start_menu
click_play
wait_log "glsInit: End"
xdotool key --window "$GAME" Escape 2>/dev/null
wait_log "glsExit: Close4"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$GAME")"
import -window root -crop "800x600+${X}+${Y}" +repage "$WORK/farewell-x11.png"
xdotool key --window "$GAME" Escape 2>/dev/null
wait_game_closed
close_menu

# Each display mode on Wayland: a click at game pixel (300, 250) in the cave
# editor places a piece exactly there; the farewell picture shows whole.
printf 'caveedit: 1\r\n' >"$APP/sps/prog.cfg"
cp "$APP/sps/front.dat" "$WORK/front-before.dat"
for MODE in 0 1 2; do
  set_env_byte $DISPLAY_MODE_OFFSET $MODE
  FW=800 FH=600
  [ $MODE = 1 ] && FW=1280 FH=720  # the desktop's size, the game drawn in its middle
  cp "$WORK/front-before.dat" "$APP/sps/front.dat"
  start_wayland
  wl_play
  if [ $MODE = 2 ]; then game_box 800 600; else game_box 1280 720; fi
  echo "mode $MODE: game screen on Wayland ${WIDTH}x${HEIGHT}+${X}+${Y}"
  wait_log "glsInit: End"
  read -r PX PY PW PH < <(picture_place $FW $FH "$WIDTH" "$HEIGHT")
  PX=$((X + PX)) PY=$((Y + PY))
  wl_input move "$(output_point $PX "$PW" $FW 300)" "$(output_point $PY "$PH" $FH 250)"
  sleep 0.5
  wl_input click
  sleep 0.5
  wl_leave
  wait_log "glsExit: Close4"
  sleep 0.5
  wl_shot "$WORK/wl-$MODE.png"
  wl_leave
  poll 150 window_count -le 1 || fail "the game screen did not close"
  end_wayland
  check_placed "$WORK/front-before.dat" "$APP/sps/front.dat" 300 250
  crop "$WORK/wl-$MODE.png" $((PX + (FW - 800) / 2 * PW / FW)) $((PY + (FH - 600) / 2 * PH / FH)) \
    $((800 * PW / FW)) $((600 * PH / FH)) "$WORK/wl-$MODE-farewell.png"
  same_picture "$WORK/wl-$MODE-farewell.png" "$WORK/farewell-x11.png" "mode $MODE: the farewell picture"
done

# A whole game: the level's virus gets through, and every rank of the table
# holds 1 point, so the lost game's 0 points bring no name entry and the next
# game's title follows.
rm "$APP/sps/prog.cfg"
cp "$(dirname "$0")/Level1.txt" "$APP/sps/Level1.txt"
for rank in $(seq 0 9); do
  for b in 0 1 2 3; do set_env_byte $((32 + 28 * rank + 24 + b)) $((b == 0)); done
done
set_env_byte $DISPLAY_MODE_OFFSET 0
start_wayland
wl_play
game_box 1280 720
wait_log "glsInit: End"
wl_input click
wait_log "glsBegin: Return"
wait_log "glsLoop: Lost" 600
wait_log "glsExit: Play again"
next_title() { [ "$(grep -c "^glsInit: End" "$APP/sps/LOG.TXT")" -ge 2 ]; }
poll 300 next_title || fail "no next game's title"
wl_leave
wait_log "glsExit: Close4"
wl_leave
poll 150 window_count -le 1 || fail "the game screen did not close"
end_wayland
# The menu deletes a log that ends with OK; one that ends with ERROR stays.
[ ! -f "$APP/sps/LOG.TXT" ] || [ "$(tail -n 1 "$APP/sps/LOG.TXT" | tr -d '\r')" = OK ] || fail "the game ended in ERROR"
[ "$(env_byte $GAMES_STARTED_OFFSET)" = 1 ] || fail "the game was not counted"

# A compositor without a seat, where SDL's Wayland driver would crash at the start.
start_weston wayland-noseat
start_wayland
sleep 2
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended on a compositor without a seat"
end_wayland
echo "PASSED"
