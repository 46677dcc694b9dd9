# Shared by the x11 tests that drive the whole program: starting it, the menu
# window, the game screen and the settings record. Source after x11_session.sh.

# copy_program BUILD DIR: the program and the game's data of a build folder
# into DIR, without the player's files a run there may have left.
copy_program() {
  mkdir -p "$2"
  cp "$1/vantorel" "$2/"
  cp -r "$1/gfx" "$1/sps" "$1/snd" "$2/"
  rm -f "$2"/sps/env.dat "$2"/sps/game.dat "$2"/sps/LOG.TXT "$2"/sps/prog.cfg
}
# start_program DIR CMD...: starts CMD in DIR, sets APP_PID and MENU (the menu
# window, focused).
start_program() {
  local dir=$1
  shift
  (cd "$dir" && exec "$@" >>"$WORK/out.txt" 2>&1) &
  APP_PID=$!
  MENU=$(wait_window "Vantorel!") || fail "no menu window"
  xdotool windowfocus --sync "$MENU" 2>/dev/null
}
# The menu window's client area lies below its menu bar.
menu_bar_height() {
  local h
  h=$(xdotool getwindowgeometry "$MENU" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
  echo $((h - 350))
}
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
# File > Close; tried again when a busy machine lost the keys.
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
# The game screen's window: a mapped window of the program that was not there
# before PLAY (its title is in UTF-8 only, which xdotool's name search does not
# read; full screen may replace its first window by another).
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
# env.dat is scrambled in groups of six bytes whose sixth is the data byte;
# bytes that are not letters or digits pass unchanged, so small numbers can be
# written and read at (offset * 6 + 5).
set_env_byte() { printf "\\$(printf '%03o' "$3")" | dd of="$1" bs=1 seek=$(($2 * 6 + 5)) conv=notrunc status=none; }
env_byte() { od -An -tu1 -j $(($2 * 6 + 5)) -N1 "$1" | tr -d ' '; }
DISPLAY_MODE_OFFSET=24
GAMES_STARTED_OFFSET=564
