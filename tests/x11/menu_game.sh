#!/usr/bin/env bash
# The real program under Xvfb from a fresh program folder: the menu window
# converts the music with its panel showing, closes and saves; started again
# in the stored default, full screen at 800 x 600 (mode 0) on a bare X server,
# and then in window mode, a click on PLAY opens the game screen, found by its
# caption, a click or a few seconds of play, Escape twice, the game screen
# closes with "OK" as the last log line, and closing the menu window saves
# sps/env.dat. Neither start with a game takes more memory than the 90,000 KB
# the program states as its need.
# Usage: menu_game.sh <build dir>
set -u
BUILD=$1
. "$(dirname "$0")/x11_session.sh"

copy_program mp3-only
mp3s=$(find "$APP/snd" -iname '*.mp3' | wc -l)
[ "$mp3s" -gt 0 ] || fail "no MP3 music in $BUILD/snd"

# The menu window's client area lies below its menu bar.
menu_bar_height() {
  h=$(xdotool getwindowgeometry "$MENU" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
  echo $((h - 350))
}
blue_pixels() {
  convert "$1" -fuzz 8% -fill black +opaque "#0000FF" -fill white -opaque "#0000FF" \
    -format "%[fx:round(mean*w*h)]" info:
}
# Starts the menu window with an empty log and follows the log's lines as they
# are written: the menu deletes a log that ends with "OK" when it is active again.
# The program's peak resident memory goes to $WORK/$1.
start_menu_following_log() {
  start_program "$APP" /usr/bin/python3 "$(cd "$(dirname "$0")/.." && pwd)/support/peak_rss.py" "$WORK/$1" ./vantorel
  sleep 1
  mkdir -p "$APP/sps"; : >"$APP/sps/LOG.TXT"
  timeout 90 tail -F -n +1 -s 0.05 "$APP/sps/LOG.TXT" >"$WORK/log" 2>/dev/null &
  TAIL_PID=$!
}
# The game screen is found by its caption, also by tools that read only the
# window's WM_NAME (xdotool's name search does).
check_caption() {
  xdotool search --onlyvisible --name '^Vantorel!$' | grep -qx "$GAME" || fail "no game screen called Vantorel!"
  xprop -id "$GAME" WM_NAME | grep -qx 'WM_NAME(STRING) = "Vantorel!"' ||
    fail "the game screen's WM_NAME: $(xprop -id "$GAME" WM_NAME)"
}
# Escape, then Escape again on the information picture (it stays until a
# click, Enter or Escape): the game screen closes with "OK" as the last log line.
leave_game() {
  xdotool key --window "$GAME" Escape 2>/dev/null
  sleep 1.5
  xdotool key --window "$GAME" Escape 2>/dev/null
  wait_game_closed
  sleep 1
  kill "$TAIL_PID" 2>/dev/null; wait "$TAIL_PID" 2>/dev/null
  tail -n 1 "$WORK/log" | tr -d '\r' | grep -qx "OK" || fail "last log line is not OK"
  grep -q "^Formkeydown: Escape" "$WORK/log" || fail "Escape did not reach the game screen"
  [ -f "$APP/sps/LOG.TXT" ] && fail "the menu kept a log that ended with OK"
  return 0
}
# After the program ended: its peak as start_menu_following_log measured it.
check_peak() {
  local peak
  peak=$(cat "$WORK/$1")
  [ "$peak" -le 90000 ] || fail "peak resident memory of $peak KB, above the 90,000 KB the program states as its need"
}

# First start: the music is converted while the panel shows its blue gauge.
start_menu
saw_panel=0
for _ in $(seq 150); do
  import -window "$MENU" "$WORK/menu.png" 2>/dev/null || true
  if [ -f "$WORK/menu.png" ] && [ "$(blue_pixels "$WORK/menu.png")" -gt 200 ]; then saw_panel=1; break; fi
  sleep 0.1
done
[ "$saw_panel" -eq 1 ] || fail "the conversion panel never showed"
cp "$WORK/menu.png" "$WORK/panel.png"
for _ in $(seq 300); do
  waves=0
  for f in "$APP"/snd/*.[mM][pP]3; do [ -e "${f%.*}.wav" ] && waves=$((waves + 1)); done
  [ "$waves" -ge "$mp3s" ] && break
  sleep 0.1
done
[ "$waves" -ge "$mp3s" ] || fail "only $waves of $mp3s MP3 files converted"
sleep 2
import -window "$MENU" "$WORK/menu.png"
[ "$(blue_pixels "$WORK/menu.png")" -lt 20 ] || fail "the panel stayed after the conversion"
geometry=$(xdotool getwindowgeometry "$MENU")
echo "$geometry" | grep -q "Geometry: 400x" || fail "menu window is not 400 wide: $geometry"
close_menu
[ "$(stat -c %s "$APP/sps/env.dat")" -eq 9552 ] || fail "env.dat is not 9552 bytes"

# Second start, in the stored default: full screen at 800 x 600 (mode 0) on a
# screen that cannot change its resolution. PLAY, one click starts play.
[ "$(env_byte $DISPLAY_MODE_OFFSET)" = "0" ] || fail "the stored display mode is not 0"
start_menu_following_log peak_full_screen.kb
click_play
for _ in $(seq 100); do grep -q "^glsInit: End" "$WORK/log" && break; sleep 0.1; done
GAME=$(other_window)  # full screen may have replaced the first window by another
[ -n "$GAME" ] || fail "the full-screen game screen went away"
check_caption
xdotool windowfocus --sync "$GAME" 2>/dev/null
xdotool mousemove --window "$GAME" 500 300 click 1
for _ in $(seq 50); do grep -q "^glsBegin: Return" "$WORK/log" && break; sleep 0.1; done
grep -q "^glsBegin: Return" "$WORK/log" || fail "the click in full screen did not start play"
leave_game
close_menu
check_peak peak_full_screen.kb
[ "$(env_byte $GAMES_STARTED_OFFSET)" = "1" ] || fail "GamesStarted is $(env_byte $GAMES_STARTED_OFFSET), not 1"

# Window mode.
set_env_byte $DISPLAY_MODE_OFFSET 2

# Third start: PLAY opens the game screen.
start_menu_following_log peak_window.kb
click_play
sleep 2
xdotool getwindowgeometry "$GAME" | grep -q "Geometry: 800x600" || fail "the game screen is not an 800x600 window"
check_caption
xdotool windowfocus --sync "$GAME" 2>/dev/null
for x in 300 500 650 700; do
  xdotool mousemove --window "$GAME" $x 300 click 1
  sleep 0.7
done
import -window root "$WORK/game.png"
bright=$(convert "$WORK/game.png" -colorspace Gray -format "%[fx:maxima]" info:)
awk "BEGIN { exit !($bright > 0.5) }" || fail "the game screen shows no frame (max brightness $bright)"
leave_game
grep -q "^Program Version 1.07" "$WORK/log" || fail "no version line"
close_menu
[ "$(stat -c %s "$APP/sps/env.dat")" -eq 9552 ] || fail "env.dat is not 9552 bytes after the game"
check_peak peak_window.kb
# GamesStarted is counted by the game states.
started=$(env_byte $GAMES_STARTED_OFFSET)
if grep -q "^glsInit: Start" "$WORK/log"; then
  [ "$started" = "2" ] || fail "GamesStarted is $started, not 2"
fi
[ -n "${KEEP_SHOTS:-}" ] && cp "$WORK"/panel.png "$WORK"/menu.png "$WORK"/game.png "$KEEP_SHOTS"/
echo "PASSED"
