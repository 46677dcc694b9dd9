#!/usr/bin/env bash
# The installed program: installs the build to a fresh prefix (or takes an
# installed one), makes it read-only and runs the program from there with the
# per-user folders in temporary places. The first start converts the music into the cache and
# saves its settings into the player's folder; the second finds them again
# (the window mode set in between), plays a short game with a screenshot and
# counts it; the third finds the count again. Nothing is written into the
# prefix.
# Usage: installed.sh <build dir> [<installed prefix> <its folder of the program>]
set -u
BUILD=$1
. "$(dirname "$0")/x11_session.sh"

if [ $# -ge 3 ]; then
  PREFIX=$2 PROGRAM=$2/$3/vantorel
else
  PREFIX=$WORK/prefix PROGRAM=$WORK/prefix/bin/vantorel
  cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.txt" 2>&1 || { cat "$WORK/install.txt"; fail "install failed"; }
fi
chmod -R a-w "$PREFIX"
listing() { (cd "$PREFIX" && find . -printf '%p %s %T@ %m\n' | sort); }
listing >"$WORK/prefix-before.txt"
export XDG_DATA_HOME=$WORK/data XDG_CACHE_HOME=$WORK/cache HOME=$WORK/home
PLAYER=$XDG_DATA_HOME/vantorel
mkdir -p "$HOME"

# First start: from an unrelated folder, as a launcher starts it.
start_program "$HOME" "$PROGRAM"
mp3s=$(find "$PREFIX/share/vantorel/snd" -iname '*.mp3' | wc -l)
[ "$mp3s" -gt 0 ] || fail "no MP3 music installed"
for _ in $(seq 300); do
  waves=$(find "$XDG_CACHE_HOME/vantorel/snd" -iname '*.wav' 2>/dev/null | wc -l)
  [ "$waves" -ge "$mp3s" ] && break
  sleep 0.1
done
[ "$waves" -ge "$mp3s" ] || fail "only $waves of $mp3s MP3 files converted into the cache"
sleep 2
close_menu
[ -f "$PLAYER/sps/env.dat" ] || fail "no env.dat in the player's folder"
for f in front.dat Level1.txt game.dat; do
  [ -f "$PLAYER/sps/$f" ] || fail "no $f in the player's folder"
done
set_env_byte $DISPLAY_MODE_OFFSET 2 "$PLAYER/sps/env.dat"

# Second start: the window mode comes from the saved settings.
start_program "$HOME" "$PROGRAM"
sleep 1
click_play
sleep 2
xdotool getwindowgeometry "$GAME" | grep -q "Geometry: 800x600" || fail "the saved window mode was not found again"
xdotool windowfocus --sync "$GAME" 2>/dev/null
for y in 200 400; do
  xdotool mousemove --window "$GAME" 600 $y click 1
  sleep 0.7
done
xdotool key --window "$GAME" ctrl+p 2>/dev/null
sleep 0.5
xdotool key --window "$GAME" Escape 2>/dev/null
sleep 1.5
xdotool key --window "$GAME" Escape 2>/dev/null
wait_game_closed
close_menu
started=$(env_byte $GAMES_STARTED_OFFSET "$PLAYER/sps/env.dat")
[ "$started" = "1" ] || fail "GamesStarted is $started, not 1"
[ "$(env_byte $DISPLAY_MODE_OFFSET "$PLAYER/sps/env.dat")" = "2" ] || fail "the display mode was not kept"
ls "$PLAYER"/Screenshots/Shot_*.jpg >/dev/null 2>&1 || fail "no screenshot in the player's folder"

# A third start finds the count again (defaults would save 0).
start_program "$HOME" "$PROGRAM"
sleep 1
close_menu
[ "$(env_byte $GAMES_STARTED_OFFSET "$PLAYER/sps/env.dat")" = "1" ] || fail "the next start lost the games started"

listing >"$WORK/prefix-after.txt"
diff "$WORK/prefix-before.txt" "$WORK/prefix-after.txt" >"$WORK/prefix-diff.txt" ||
  { cat "$WORK/prefix-diff.txt"; fail "the program wrote into its prefix"; }
chmod -R u+w "$PREFIX"
echo "PASSED"
