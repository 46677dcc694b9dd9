# Shared by the x11 tests: a private Xvfb display, cleaned up on exit.
# Exits with 77 (skipped) when Xvfb or xdotool is missing.
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null || ! command -v import >/dev/null; then
  echo "SKIPPED: Xvfb, xdotool or ImageMagick is not installed"
  exit 77
fi
WORK=$(mktemp -d /tmp/vantorel-x11-XXXXXX)
for n in $(seq 90 140); do
  if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then DISPLAY_NUM=$n; break; fi
done
Xvfb :$DISPLAY_NUM -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
cleanup() {
  [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null
  kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
export DISPLAY=:$DISPLAY_NUM
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy

# Waits for a window whose name matches, prints its id.
wait_window() {
  for _ in $(seq 100); do
    id=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
fail() { echo "FAILED: $*"; [ -f "$WORK/log" ] && cat "$WORK/log"; exit 1; }

# Copies the built program into $APP: the binary, pictures, level and sounds.
# With "mp3-only", music comes only as MP3 (a wave file that a build run left
# beside its MP3 is not copied), so that the program converts it.
copy_program() {
  APP=$WORK/app
  mkdir -p "$APP/snd"
  cp "$BUILD/vantorel" "$APP/"
  cp -r "$BUILD/gfx" "$BUILD/sps" "$APP/"
  [ -d "$BUILD/GFX" ] && cp -r "$BUILD/GFX" "$APP/"
  for f in "$BUILD"/snd/*; do
    base=${f%.*}
    case "$f" in
      *.[wW][aA][vV])
        if [ "${1:-}" != mp3-only ] || { [ ! -e "$base.mp3" ] && [ ! -e "$base.MP3" ]; }; then cp "$f" "$APP/snd/"; fi ;;
      *) cp "$f" "$APP/snd/" ;;
    esac
  done
  rm -f "$APP"/sps/env.dat "$APP"/sps/LOG.TXT "$APP"/sps/log.txt
}

# Starts the menu window from $APP; sets APP_PID and MENU and focuses it.
start_menu() {
  (cd "$APP" && exec ./vantorel >>"$WORK/out.txt" 2>&1) &
  APP_PID=$!
  MENU=$(wait_window "^Vantorel!$") || fail "no menu window"
  xdotool windowfocus --sync "$MENU" 2>/dev/null
}

# Closes the menu window with File > Close and checks that the program ended well.
close_menu() {
  xdotool windowfocus --sync "$MENU" 2>/dev/null
  xdotool key --window "$MENU" alt+f
  sleep 0.5
  xdotool key --window "$MENU" c
  for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$APP_PID" 2>/dev/null && fail "the menu window did not close"
  wait "$APP_PID"; rc=$?
  APP_PID=
  [ "$rc" -eq 0 ] || fail "exit code $rc"
}

# A byte of the Env record: a field at record offset N is stored as the sixth
# byte of its six-byte group, and bytes that are not letters or digits are not scrambled.
env_byte() {
  od -An -tu1 -j $(($1 * 6 + 5)) -N1 "$APP/sps/env.dat" | tr -d ' '
}
