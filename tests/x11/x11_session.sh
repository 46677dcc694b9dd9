# Shared by the x11 tests: a private Xvfb display, cleaned up on exit.
# Exits with 77 (skipped) when Xvfb or xdotool is missing.
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null || ! command -v import >/dev/null; then
  echo "SKIPPED: Xvfb, xdotool or ImageMagick is not installed"
  exit 77
fi
WORK=$(mktemp -d /tmp/vantorel-x11-XXXXXX)
# Xvfb picks a free display number itself, so tests can run side by side.
# Without -noreset it resets whenever its last client leaves (the readiness
# check below), and a client connecting during the reset is refused.
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp -noreset 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
cleanup() {
  if [ -n "${APP_PID:-}" ]; then
    kill "$APP_PID" 2>/dev/null
    for _ in $(seq 30); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$APP_PID" 2>/dev/null
  fi
  # Whatever else the test left running (a window manager, a log follower).
  jobs -p | xargs -r kill 2>/dev/null
  kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
for _ in $(seq 300); do [ -s "$WORK/display" ] && break; sleep 0.05; done
export DISPLAY=:$(head -n 1 "$WORK/display")
for _ in $(seq 150); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
# Run from a Wayland desktop, the program would otherwise open there.
unset WAYLAND_DISPLAY

# Waits for a window whose name matches, prints its id.
wait_window() {
  for _ in $(seq 100); do
    id=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
fail() { echo "FAILED: $*"; [ -f "$WORK/log" ] && cat "$WORK/log"; exit 1; }

# Copies the built program into $APP: the binary, pictures, level and sounds,
# without the player's files a run in the build folder may have left. With
# "mp3-only", music comes only as MP3 (a wave file that a build run left
# beside its MP3 is not copied), so that the program converts it.
copy_program() {
  APP=$WORK/app
  mkdir -p "$APP/snd"
  cp "$BUILD/vantorel" "$APP/"
  cp -r "$BUILD/gfx" "$BUILD/sps" "$APP/"
  [ -d "$BUILD/GFX" ] && cp -r "$BUILD/GFX" "$APP/"
  for f in "$BUILD"/snd/*; do
    base=${f%.*}
    case "$f" in
      *.[wW][aA][vV])
        if [ "${1:-}" != mp3-only ] || { [ ! -e "$base.mp3" ] && [ ! -e "$base.MP3" ]; }; then cp "$f" "$APP/snd/"; fi ;;
      *) cp "$f" "$APP/snd/" ;;
    esac
  done
  rm -f "$APP"/sps/env.dat "$APP"/sps/LOG.TXT "$APP"/sps/log.txt "$APP"/sps/game.dat "$APP"/sps/prog.cfg
}

# start_program DIR CMD...: starts CMD in DIR; sets APP_PID and MENU (the menu
# window) and focuses it.
start_program() {
  local dir=$1
  shift
  (cd "$dir" && exec "$@" >>"$WORK/out.txt" 2>&1) &
  APP_PID=$!
  MENU=$(wait_window "^Vantorel!$") || fail "no menu window"
  xdotool windowfocus --sync "$MENU" 2>/dev/null
}
# Starts the menu window from $APP.
start_menu() { start_program "$APP" ./vantorel; }

# Waits for the program to end by itself; fails unless it exits 0 within
# $1 tenths of a second (default 100).
wait_exit() {
  local rc
  for _ in $(seq "${1:-100}"); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$APP_PID" 2>/dev/null && fail "the program did not end"
  wait "$APP_PID"; rc=$?
  APP_PID=
  [ "$rc" -eq 0 ] || fail "exit code $rc"
}

# Closes the menu window with File > Close (again when a busy machine lost the
# keys) and checks that the program ended well.
close_menu() {
  for _ in 1 2 3; do
    xdotool windowfocus --sync "$MENU" 2>/dev/null
    xdotool key --window "$MENU" alt+f 2>/dev/null
    sleep 0.5
    xdotool key --window "$MENU" c 2>/dev/null
    for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$APP_PID" 2>/dev/null || break
    xdotool key --window "$MENU" Escape 2>/dev/null
  done
  wait_exit 10
}

# The menu window's client area lies below its menu bar.
menu_bar_height() {
  local h
  h=$(xdotool getwindowgeometry "$MENU" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
  echo $((h - 350))
}

# The game screen's window: a mapped window of the program that was not there
# before PLAY (it has the menu window's caption; full screen may replace its
# first window by another).
program_windows() { xdotool search --onlyvisible --class vantorel 2>/dev/null | sort; }
other_window() { comm -13 <(echo "$BEFORE_PLAY") <(program_windows) | head -n 1; }
# Clicks PLAY and waits for the game screen; sets GAME.
click_play() {
  BEFORE_PLAY=$(program_windows)
  xdotool mousemove --window "$MENU" 202 $(($(menu_bar_height) + 282)) click 1
  GAME=""
  for _ in $(seq 100); do
    GAME=$(other_window)
    [ -n "$GAME" ] && return 0
    sleep 0.1
  done
  fail "PLAY opened no game screen"
}
wait_game_closed() {
  for _ in $(seq 150); do
    [ -z "$(other_window)" ] && return 0
    sleep 0.1
  done
  fail "the game screen did not close"
}

# picture_place FRAME_W FRAME_H OUT_W OUT_H prints "X Y W H", where the
# frame lands in an output of that size: the largest whole scale where the
# output holds it twice, else the largest fraction, centred.
picture_place() {
  awk -v fw="$1" -v fh="$2" -v w="$3" -v h="$4" 'BEGIN {
    k = int(w / fw); if (int(h / fh) < k) k = int(h / fh)
    if (k >= 2) { pw = fw * k; ph = fh * k }
    else if (w * fh <= h * fw) { pw = w; ph = int((fh * w + fw / 2) / fw) }
    else { ph = h; pw = int((fw * h + fh / 2) / fh) }
    print int((w - pw) / 2), int((h - ph) / 2), pw, ph }'
}
# output_point P SIZE FRAME G: the output pixel that shows frame pixel G, for
# a picture placed at P with SIZE output pixels for FRAME frame pixels.
output_point() {
  awk -v p="$1" -v s="$2" -v f="$3" -v g="$4" 'BEGIN { print p + int((g + 0.5) * s / f) }'
}

# check_placed BEFORE AFTER X Y: the cave file AFTER holds exactly one piece
# more than BEFORE (a record BaseX, Y, Z, type not there before), at X, Y.
check_placed() {
  records() { od -An -td4 -w16 -v "$1" | awk '$1 != -1 { print $1, $2, $4 }' | sort; }
  local placed bx by
  placed=$(comm -13 <(records "$1") <(records "$2"))
  echo "placed: $placed"
  [ "$(echo "$placed" | wc -l)" -eq 1 ] && [ -n "$placed" ] || fail "not one new piece in the cave: '$placed'"
  read -r bx by _ <<<"$placed"
  [ "$bx" -eq "$3" ] && [ "$by" -eq "$4" ] || fail "the click at game ($3, $4) placed a piece at ($bx, $by)"
}

# A byte of the Env record (env_byte OFFSET [FILE], set_env_byte OFFSET VALUE
# [FILE]; FILE defaults to $APP/sps/env.dat): a field at record offset N is
# stored as the sixth byte of its six-byte group, and bytes that are not
# letters or digits are not scrambled, so small numbers read and write as they are.
env_byte() {
  od -An -tu1 -j $(($1 * 6 + 5)) -N1 "${2:-$APP/sps/env.dat}" | tr -d ' '
}
set_env_byte() {
  printf "\\$(printf '%03o' "$2")" | dd of="${3:-$APP/sps/env.dat}" bs=1 seek=$(($1 * 6 + 5)) conv=notrunc status=none
}
DISPLAY_MODE_OFFSET=24
GAMES_STARTED_OFFSET=564
