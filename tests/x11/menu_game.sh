#!/usr/bin/env bash
# The real program under Xvfb from a fresh program folder: the menu window
# converts the music with its panel showing, closes and saves; started again
# in window mode, a click on PLAY opens the game screen, a few seconds of play,
# Escape twice, the game screen closes with "OK" as the last log line, and
# closing the menu window saves sps/env.dat; that start took no more memory
# than the 90,000 KB the program states as its need.
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

# Window mode.
set_env_byte $DISPLAY_MODE_OFFSET 2

# Second start: PLAY opens the game screen.
start_program "$APP" /usr/bin/python3 "$(cd "$(dirname "$0")/.." && pwd)/support/peak_rss.py" "$WORK/peak.kb" ./vantorel
sleep 1
mkdir -p "$APP/sps"; : >"$APP/sps/LOG.TXT"
# The menu deletes a log that ends with "OK" when it is active again: follow
# the lines as they are written.
timeout 90 tail -F -n +1 -s 0.05 "$APP/sps/LOG.TXT" >"$WORK/log" 2>/dev/null &
TAIL_PID=$!
click_play
sleep 2
xdotool getwindowgeometry "$GAME" | grep -q "Geometry: 800x600" || fail "the game screen is not an 800x600 window"
xdotool windowfocus --sync "$GAME" 2>/dev/null
for x in 300 500 650 700; do
  xdotool mousemove --window "$GAME" $x 300 click 1
  sleep 0.7
done
import -window root "$WORK/game.png"
bright=$(convert "$WORK/game.png" -colorspace Gray -format "%[fx:maxima]" info:)
awk "BEGIN { exit !($bright > 0.5) }" || fail "the game screen shows no frame (max brightness $bright)"
xdotool key --window "$GAME" Escape 2>/dev/null
# The information picture stays until a click, Enter or Escape.
sleep 1.5
xdotool key --window "$GAME" Escape 2>/dev/null
wait_game_closed
sleep 1
kill "$TAIL_PID" 2>/dev/null; wait "$TAIL_PID" 2>/dev/null
tail -n 1 "$WORK/log" | tr -d '\r' | grep -qx "OK" || fail "last log line is not OK"
grep -q "^Program Version 1.07" "$WORK/log" || fail "no version line"
grep -q "^Formkeydown: Escape" "$WORK/log" || fail "Escape did not reach the game screen"
[ -f "$APP/sps/LOG.TXT" ] && fail "the menu kept a log that ended with OK"
close_menu
[ "$(stat -c %s "$APP/sps/env.dat")" -eq 9552 ] || fail "env.dat is not 9552 bytes after the game"
peak=$(cat "$WORK/peak.kb")
[ "$peak" -le 90000 ] || fail "peak resident memory of $peak KB, above the 90,000 KB the program states as its need"
# GamesStarted is counted by the game states.
started=$(env_byte $GAMES_STARTED_OFFSET)
if grep -q "^glsInit: Start" "$WORK/log"; then
  [ "$started" = "1" ] || fail "GamesStarted is $started, not 1"
fi
[ -n "${KEEP_SHOTS:-}" ] && cp "$WORK"/panel.png "$WORK"/menu.png "$WORK"/game.png "$KEEP_SHOTS"/
echo "PASSED"
