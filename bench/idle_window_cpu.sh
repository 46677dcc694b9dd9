#!/usr/bin/env bash
# Measures the processor share of the whole program while it shows the game
# screen in window mode under Xvfb, compared with a plain `sleep` in the same
# run. Prints the share of one core. Usage: bench/idle_window_cpu.sh [build dir] [seconds]
set -u
BUILD=${1:-build}
SECONDS_TO_RUN=${2:-10}
BUILD=$(cd "$BUILD" && pwd)
. "$(dirname "$0")/../tests/x11/x11_session.sh"
cp -r "$BUILD/vantorel" "$WORK/"
for d in gfx snd sps; do [ -d "$BUILD/$d" ] && cp -r "$BUILD/$d" "$WORK/"; done
(cd "$WORK" && exec ./vantorel 2 >"$WORK/out.txt" 2>&1) &
APP_PID=$!
WIN=$(wait_window "Vantorel!") || fail "no game screen window"
sleep 2  # past the start-up work
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
start=$(ticks "$APP_PID")
sleep "$SECONDS_TO_RUN"
end=$(ticks "$APP_PID")
xdotool key --window "$WIN" Escape
awk -v s="$start" -v e="$end" -v hz="$hz" -v t="$SECONDS_TO_RUN" \
  'BEGIN { printf "game screen, window mode, idle: %.1f %% of one core over %d s\n", 100 * (e - s) / hz / t, t }'
wait "$APP_PID" 2>/dev/null
APP_PID=
