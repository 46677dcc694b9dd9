#!/usr/bin/env bash
# Measures the processor share of the whole program (menu window and game
# screen) while the game screen shows its title under Xvfb, in window mode on
# a 1024x768 screen unless told otherwise. Prints the share of one core.
# Usage: bench/idle_window_cpu.sh [build dir] [seconds] [display mode] [screen WxH]
#   bench/idle_window_cpu.sh build 10 0 3840x2160   # full screen on a 4K screen
set -u
BUILD=$(cd "${1:-build}" && pwd)
SECONDS_TO_RUN=${2:-10}
MODE=${3:-2}
SCREEN=${4:-1024x768}
XVFB_SCREEN=${SCREEN}x24
. "$(dirname "$0")/../tests/x11/x11_session.sh"
copy_program
# A first start converts the music and writes env.dat; then the display mode.
start_menu
for _ in $(seq 300); do [ -e "$APP/snd/back.wav" ] && break; sleep 0.1; done
sleep 2
close_menu
set_env_byte $DISPLAY_MODE_OFFSET "$MODE"
start_menu
sleep 1
click_play
sleep 3  # past loading
GAME=$(other_window)  # full screen may have replaced the first window
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
start=$(ticks "$APP_PID")
sleep "$SECONDS_TO_RUN"
end=$(ticks "$APP_PID")
awk -v s="$start" -v e="$end" -v hz="$hz" -v t="$SECONDS_TO_RUN" -v m="$MODE" -v scr="$SCREEN" \
  'BEGIN { printf "whole program, game screen title in display mode %d on %s: %.1f %% of one core over %d s\n", m, scr, 100 * (e - s) / hz / t, t }'
xdotool windowfocus --sync "$GAME" 2>/dev/null
xdotool key --window "$GAME" Escape 2>/dev/null; sleep 1.5; xdotool key --window "$GAME" Escape 2>/dev/null
wait_game_closed
close_menu
