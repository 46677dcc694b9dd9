#!/usr/bin/env bash
# Measures the processor share of the whole program (menu window and game
# screen) while the game screen shows its title in window mode under Xvfb.
# Prints the share of one core. Usage: bench/idle_window_cpu.sh [build dir] [seconds]
set -u
BUILD=$(cd "${1:-build}" && pwd)
SECONDS_TO_RUN=${2:-10}
. "$(dirname "$0")/../tests/x11/x11_session.sh"
APP=$WORK/app
mkdir -p "$APP"
cp "$BUILD/vantorel" "$APP/"
cp -r "$BUILD/gfx" "$BUILD/sps" "$BUILD/snd" "$APP/"
rm -f "$APP"/sps/env.dat "$APP"/sps/LOG.TXT
# A first start writes env.dat; then DisplayMode (offset 24, the sixth byte of
# its scrambled group) becomes 2, the window.
(cd "$APP" && exec ./vantorel >"$WORK/out.txt" 2>&1) &
APP_PID=$!
MENU=$(wait_window "Vantorel!") || fail "no menu window"
sleep 2
xdotool windowfocus --sync "$MENU" 2>/dev/null
xdotool key --window "$MENU" alt+f 2>/dev/null; sleep 0.5; xdotool key --window "$MENU" c 2>/dev/null
wait "$APP_PID"
printf '\002' | dd of="$APP/sps/env.dat" bs=1 seek=$((24 * 6 + 5)) conv=notrunc status=none
(cd "$APP" && exec ./vantorel >>"$WORK/out.txt" 2>&1) &
APP_PID=$!
MENU=$(wait_window "Vantorel!") || fail "no menu window"
sleep 1
xdotool windowfocus --sync "$MENU" 2>/dev/null
h=$(xdotool getwindowgeometry "$MENU" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
xdotool mousemove --window "$MENU" 202 $((h - 350 + 282)) click 1
GAME=""
for _ in $(seq 100); do
  GAME=$(xdotool search --class vantorel 2>/dev/null | grep -vx "$MENU" | head -n 1)
  [ -n "$GAME" ] && break
  sleep 0.1
done
[ -n "$GAME" ] || fail "PLAY opened no game screen"
sleep 3  # past loading
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
start=$(ticks "$APP_PID")
sleep "$SECONDS_TO_RUN"
end=$(ticks "$APP_PID")
awk -v s="$start" -v e="$end" -v hz="$hz" -v t="$SECONDS_TO_RUN" \
  'BEGIN { printf "whole program, game screen title in window mode: %.1f %% of one core over %d s\n", 100 * (e - s) / hz / t, t }'
xdotool key --window "$GAME" Escape 2>/dev/null; sleep 1.5; xdotool key --window "$GAME" Escape 2>/dev/null
sleep 2
kill "$APP_PID" 2>/dev/null
