#!/usr/bin/env bash
# The menu window's dialogs in the real program under Xvfb, opened from the
# keyboard: File > Options (alt+f, o), where "Window" is chosen and Ok pressed;
# Help > Info (alt+h, i); E held with F1 for the level editor. Closing the
# program then leaves DisplayMode 2 in sps/env.dat.
# Usage: menu_dialogs.sh <build dir>
set -u
BUILD=$1
. "$(dirname "$0")/x11_session.sh"
export VANTOREL_ONLINE=0

copy_program
start_menu
sleep 1

# Opens a dialog with keys pressed in the menu window; prints the dialog's window.
open_dialog() {
  title=$1
  shift
  xdotool windowfocus --sync "$MENU" 2>/dev/null
  for k in "$@"; do
    xdotool $k
    sleep 0.4
  done
  wait_window "^$title\$" || fail "no $title window after: $*"
}
gone() {
  for _ in $(seq 50); do
    xdotool search --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the $1 window did not close"
}
shot() { sleep 0.5; import -window root "$WORK/$1.png"; }

OPTIONS=$(open_dialog Options "key --window $MENU alt+f" "key --window $MENU o")
shot options
# "Window", the third item of the display modes, then Ok (its buttons sit at
# the bottom right of the 329 x 287 dialog).
xdotool mousemove --window "$OPTIONS" 60 118 click 1
sleep 0.3
shot options_window
xdotool mousemove --window "$OPTIONS" 196 264 click 1
gone Options

# Keys as the keyboard gives them (the window has the focus): an "i" sent to
# the menu window itself could also reach its menu bar, which then opened the
# Internet menu over the window after Info closed and took the editor's "e".
INFO=$(open_dialog Info "key alt+h" "key i")
shot info
xdotool mousemove --window "$INFO" 200 262 click 1
gone Info

EDITOR=$(open_dialog Editor "keydown --window $MENU e" "key --window $MENU F1" "keyup --window $MENU e")
shot editor
xdotool getwindowgeometry "$EDITOR" | grep -q "Geometry: 485x469" || fail "the editor is not 485 x 469"
xdotool mousemove --window "$EDITOR" 440 452 click 1
gone Editor

close_menu
mode=$(env_byte 24)
[ "$mode" = "2" ] || fail "DisplayMode is $mode, not 2"
[ -n "${KEEP_SHOTS:-}" ] && cp "$WORK"/options.png "$WORK"/options_window.png "$WORK"/info.png "$WORK"/editor.png "$KEEP_SHOTS"/
echo "PASSED"
