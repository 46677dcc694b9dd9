#!/usr/bin/env bash
# Measures the peak resident memory (the kernel's maximum resident set size of
# the process) of a whole game, from a fresh program folder whose music is
# still MP3 (so the music preparation runs too): through the headless runner
# with its bot, and as the real program under Xvfb: its first start, which
# converts the music, then a start with a game (menu window, PLAY, a game
# played to its end with Enter alone, the name entry, Escape twice, the menu
# closed). Prints the peaks in KB beside the 90,000 KB the program states as
# its need.
# Usage: bench/memory_peak.sh [build dir] [display mode] [screen WxH]
set -u
BUILD=$(cd "${1:-build}" && pwd)
MODE=${2:-0}
SCREEN=${3:-1024x768}
XVFB_SCREEN=${SCREEN}x24
NEED_KB=90000
. "$(dirname "$0")/../tests/x11/x11_session.sh"

# Runs a command and writes its peak resident memory in KB to a file.
PEAK_RUN=(/usr/bin/python3 "$(cd "$(dirname "$0")/.." && pwd)/tests/support/peak_rss.py")
report() { printf '%-44s %6d KB (%s the %d KB stated)\n' "$1" "$2" "$([ "$2" -le $NEED_KB ] && echo within || echo OVER)" $NEED_KB; }

# The headless runner: its bot plays one game to its end.
copy_program mp3-only
cp "$BUILD/vantorel-headless" "$APP/"
"${PEAK_RUN[@]}" "$WORK/headless.kb" "$APP/vantorel-headless" --dir "$APP" --bot --seed 1 >"$WORK/headless.txt" 2>&1 ||
  fail "the headless game failed: $(tail -n 5 "$WORK/headless.txt")"
grep -q "^bot: \(won\|lost\)" "$WORK/headless.txt" || fail "the bot did not finish a game"
headless_kb=$(cat "$WORK/headless.kb")

# The real program. Its first start converts the music and writes env.dat,
# where the display mode is then set for the game.
rm -rf "$APP"
copy_program mp3-only
start_program "$APP" "${PEAK_RUN[@]}" "$WORK/first.kb" ./vantorel
for _ in $(seq 600); do [ -e "$APP/snd/back.wav" ] && break; sleep 0.1; done
sleep 2
close_menu
first_kb=$(cat "$WORK/first.kb")
set_env_byte $DISPLAY_MODE_OFFSET "$MODE"

start_program "$APP" "${PEAK_RUN[@]}" "$WORK/program.kb" ./vantorel
sleep 1
# The menu deletes a log that ends with "OK": follow the lines as written.
: >"$APP/sps/LOG.TXT"
timeout 300 tail -F -n +1 -s 0.05 "$APP/sps/LOG.TXT" >"$WORK/log" 2>/dev/null &
click_play
sleep 3
GAME=$(other_window)
xdotool windowfocus --sync "$GAME" 2>/dev/null
xdotool mousemove --window "$GAME" 400 300 click 1 # starts play
# Enter fires along one row, so a virus on another gets through (or the
# 90-second clock runs out); at the end Enter confirms the name entry, and
# only then does the game end.
seen() { grep -q "^$1" "$WORK/log"; }
ended() { seen "glsLoop: Lost" || seen "glsLoop: Won"; }
for _ in $(seq 150); do
  ended && break
  xdotool key --window "$GAME" Return 2>/dev/null
  sleep 1
done
ended || fail "the game did not end"
sleep 2
xdotool key --window "$GAME" Escape 2>/dev/null
sleep 1.5
xdotool key --window "$GAME" Escape 2>/dev/null
for _ in $(seq 100); do seen "Formdestroy: End" && break; sleep 0.1; done
seen "Formdestroy: End" || fail "the game screen did not close"
# A new best score: the menu window asks whether to publish it; no.
DIALOG=$(wait_window "^A New Highscore!$") && xdotool key --window "$DIALOG" Escape 2>/dev/null
sleep 1
close_menu
program_kb=$(cat "$WORK/program.kb")

report "headless runner, one bot game:" "$headless_kb"
report "program, first start (music conversion):" "$first_kb"
report "program, a game in mode $MODE on $SCREEN:" "$program_kb"
