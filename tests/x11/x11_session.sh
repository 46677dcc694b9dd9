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
