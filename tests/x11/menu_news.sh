#!/usr/bin/env bash
# The menu window and the game server on loopback, under Xvfb: the news pane
# shows vantorel-server's home page (its requests carry the program's Accept
# header and user agent) on the "MENUE_NET" background and the web ranking
# list; the error help shows a rule's page and deletes the log (keeps it with
# S), an unknown error leads to the error report, whose closing (the log
# kept) brings the error help's question again; with the server gone the
# pane hides. A second run against a small site of links checks that a link
# outside the area, also one reached through a redirect, goes to the browser.
# Usage: menu_news.sh <build dir>   (KEEP_SHOTS=DIR keeps the screenshots)
set -u
BUILD=$1
HERE=$(dirname "$0")
. "$HERE/x11_session.sh"
. "$HERE/../support/game_server.sh"
eval "$(declare -f cleanup | sed '1s/cleanup/x11_cleanup/')"
cleanup() {
  stop_game_server
  [ -n "${SITE_PID:-}" ] && kill "$SITE_PID" 2>/dev/null
  x11_cleanup
}
fail() {
  echo "FAILED: $*"
  [ -n "${KEEP_SHOTS:-}" ] && cp "$WORK"/*.png "$KEEP_SHOTS"/ 2>/dev/null
  exit 1
}

# The browser is a program that notes each address it is given.
cat >"$WORK/browser.sh" <<EOF
#!/bin/sh
echo "\$1" >>"$WORK/opened.txt"
EOF
chmod +x "$WORK/browser.sh"
export VANTOREL_BROWSER=$WORK/browser.sh VANTOREL_ONLINE=1

# Polls a command for up to $1 seconds.
within() {
  local limit=$1
  shift
  local end=$((SECONDS + limit))
  while [ $SECONDS -le $end ]; do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}
shot() { import -window "$MENU" "$WORK/$1.png"; }
# The colour at client coordinates X Y of the menu window (below its menu bar).
pixel() {
  import -window "$MENU" "$WORK/probe.png" 2>/dev/null || return 1
  convert "$WORK/probe.png" -format "%[hex:u.p{$1,$(($2 + MENUBAR))}]" info:
}
# The page's night-plum background shows at the pane's right edge.
pane_shows() { [ "$(pixel 340 140)" = 2A0A22 ]; }
# "MENUE_NET" frames the pane in gold; "MENUE" is pink there.
gold_frame() {
  local c
  c=$(pixel 48 140) || return 1
  [ $((16#${c:2:2})) -ge 144 ]
}
pane_hidden() { ! pane_shows && ! gold_frame; }
served() { grep -q "$1" "$GAME_SERVER_LOG"; }
served_count() { grep -c "$1" "$GAME_SERVER_LOG"; }
write_log() { printf '%s\r\n' "$@" >"$APP/sps/LOG.TXT"; }
# Answers the next question box with alt+y (Yes) or alt+n (No).
answer() {
  local box
  box=$(wait_window "^Confirm$") || fail "no question box for: $2"
  xdotool windowfocus --sync "$box" 2>/dev/null
  xdotool key --window "$box" "$1"
  within 5 sh -c "! xdotool getwindowname $box >/dev/null 2>&1" || fail "the question stayed: $2"
}
# Opens the options and closes them with Cancel (bottom right of the 329 x
# 287 dialog): the menu window becomes active again and runs its activation
# (pane upkeep, log check).
reactivate() {
  xdotool windowfocus --sync "$MENU" 2>/dev/null
  xdotool key --window "$MENU" alt+f
  sleep 0.4
  xdotool key --window "$MENU" o
  local options
  options=$(wait_window "^Options$") || fail "no options window"
  for _ in 1 2 3; do
    xdotool mousemove --window "$options" 283 264 click 1 2>/dev/null
    within 2 sh -c "! xdotool search --name '^Options\$' >/dev/null 2>&1" && return 0
  done
  fail "the options stayed open"
}
opened() { [ -f "$WORK/opened.txt" ] && grep -qx "$1" "$WORK/opened.txt"; }

copy_program
start_game_server "$BUILD" "$WORK/server" --log-headers || fail "vantorel-server did not start"
export VANTOREL_GAME_SERVER=$GAME_SERVER_URL

# The home page within one timer tick of the window's start.
start_menu
MENUBAR=$(($(xdotool getwindowgeometry "$MENU" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p') - 350))
within 5 pane_shows || fail "the news pane did not show the home page"
within 2 gold_frame || fail "the background did not change to MENUE_NET"
shot home
agent='accept="text/html, \*/\*" user-agent="Mozilla/3.0 (compatible; Indy Library)"'
served "^GET /vtrinternal 200 $agent\$" || fail "the home page was not asked for with the program's headers"
served "^GET /vtrinternal/title.jpg 200 $agent\$" || fail "the pane did not load the title picture"

# The web ranking list, then home again at the next tick.
homes=$(served_count "^GET /vtrinternal 200")
xdotool key --window "$MENU" alt+i
sleep 0.4
xdotool key --window "$MENU" h
within 5 served "^GET /vtrinternal/highscore.html 200 $agent\$" || fail "the ranking list was not fetched"
sleep 0.5
shot highscore
within 8 sh -c "[ \$(grep -c '^GET /vtrinternal 200' '$GAME_SERVER_LOG') -gt $homes ]" ||
  fail "the pane did not return home"

# A known error: its page in the pane, then the log is gone.
write_log "Program Version 1.07" "Cannot find Wave: Tr_36_03" "ERROR"
reactivate
answer alt+y "error help"
within 10 served "^GET /vtrinternal/errors/sound-files.htm 200" || fail "the help page was not fetched"
within 5 sh -c "[ ! -e '$APP/sps/LOG.TXT' ]" || fail "the log was not deleted after the help page"
sleep 0.3
shot error_help
served "^GET /vtrinternal/errors.txt 200 $agent\$" || fail "the rules were not fetched with the program's headers"

# A rule with S keeps the log.
write_log "Exception raised in input handler: Zugriffsverletzung" "ERROR"
reactivate
answer alt+y "error help with S"
within 10 served "^GET /vtrinternal/errors/game-stopped.htm 200" || fail "the S rule's page was not fetched"
sleep 1
[ -e "$APP/sps/LOG.TXT" ] || fail "the log was deleted although the rule says S"

# An unknown error leads to the error report.
write_log "Something nobody has seen" "ERROR"
reactivate
answer alt+y "error help for an unknown error"
answer alt+y "the unknown error's report question"
REPORT=$(wait_window "^Send Errorreport$") || fail "no error report dialog"
xdotool windowfocus --sync "$REPORT" 2>/dev/null
xdotool key --window "$REPORT" Escape
within 5 sh -c "! xdotool search --name '^Send Errorreport\$' >/dev/null 2>&1" || fail "the report dialog stayed"
# The window is active again and the log is still there: the error help asks again.
answer alt+n "the error help after the report dialog closed"
rm -f "$APP/sps/LOG.TXT"

# The server is gone: the next activation finds no home page and hides the pane.
stop_game_server
reactivate
within 5 pane_hidden || fail "the pane did not hide with the server gone"
shot server_gone
close_menu

# Links outside the area, direct and through a redirect, go to the browser.
/usr/bin/python3 "$HERE/redirecting_site.py" "$GAME_SERVER_URL/landing" "http://outside.test/direct" \
  >"$WORK/site.txt" 2>&1 &
SITE_PID=$!
within 5 grep -q '^listening on ' "$WORK/site.txt" || fail "the link site did not start"
export VANTOREL_GAME_SERVER=$(sed -n 's/^listening on //p' "$WORK/site.txt")
start_menu
within 5 pane_shows || fail "the pane did not show the link site"
shot links
xdotool mousemove --window "$MENU" 150 $((MENUBAR + 53 + 30)) click 1
within 5 opened "http://outside.test/direct" || fail "the outside link did not reach the browser"
xdotool mousemove --window "$MENU" 150 $((MENUBAR + 53 + 100)) click 1
within 5 opened "$GAME_SERVER_URL/landing" || fail "the redirect did not reach the browser"
[ "$(wc -l <"$WORK/opened.txt")" -eq 2 ] || fail "the browser was asked for: $(cat "$WORK/opened.txt")"
pane_shows || fail "the pane left its page"
close_menu

[ -n "${KEEP_SHOTS:-}" ] && cp "$WORK"/{home,highscore,error_help,server_gone,links}.png "$KEEP_SHOTS"/
echo "PASSED"
