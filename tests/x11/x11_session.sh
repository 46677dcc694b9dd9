# Shared by the x11 tests: a private Xvfb display, cleaned up on exit.
# Exits with 77 (skipped) when Xvfb or xdotool is missing.
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null || ! command -v import >/dev/null; then
  echo "SKIPPED: Xvfb, xdotool or ImageMagick is not installed"
  exit 77
fi
WORK=$(mktemp -d /tmp/vantorel-x11-XXXXXX)
# Xvfb picks a free display number itself, so tests can run side by side.
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
cleanup() {
  if [ -n "${APP_PID:-}" ]; then
    kill "$APP_PID" 2>/dev/null
    for _ in $(seq 30); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$APP_PID" 2>/dev/null
  fi
  # Whatever else the test left running (a window manager, a log follower).
  jobs -p | xargs -r kill 2>/dev/null
  kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
for _ in $(seq 300); do [ -s "$WORK/display" ] && break; sleep 0.05; done
export DISPLAY=:$(head -n 1 "$WORK/display")
for _ in $(seq 150); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
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
