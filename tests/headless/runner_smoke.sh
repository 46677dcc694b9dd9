#!/usr/bin/env bash
# vantorel-headless on a fresh program directory: it converts the music,
# runs the game screen to a scripted Escape, saves the asked frames and the
# visit's replay (named relative to where it was started) and ends with the
# closing protocol's "OK", within the 90,000 KB of memory the program states
# as its need (not checked in the sanitizer build).
# Usage: runner_smoke.sh <build dir> [sanitized]
set -u
BUILD=$1
WORK=$(mktemp -d /tmp/vantorel-headless-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAILED: $*"; cat "$WORK/out.txt" 2>/dev/null | tail -20; exit 1; }
mkdir -p "$WORK/game/snd"
cp -r "$BUILD/gfx" "$BUILD/sps" "$WORK/game/"
# The sound effects, and the music only as MP3 so that it gets converted.
for f in "$BUILD"/snd/*; do
  case "$f" in
    *.wav) [ -f "${f%.wav}.mp3" ] || cp "$f" "$WORK/game/snd/" ;;
    *.mp3) cp "$f" "$WORK/game/snd/" ;;
  esac
done
# Leave after a second; the second Escape ends the information picture.
printf '1000 key Escape\n2000 key Escape\n' >"$WORK/input.txt"
PEAK_RSS=$(cd "$(dirname "$0")/../support" && pwd)/peak_rss.py
cd "$WORK" || exit 1
/usr/bin/python3 "$PEAK_RSS" "$WORK/peak.kb" \
  "$BUILD/vantorel-headless" --dir "$WORK/game" --seed 3 --input "$WORK/input.txt" \
  --save-frames "$WORK/frames" --at 5,40 --record visit.replay >"$WORK/out.txt" 2>&1 || fail "exit code $?"
[ -f "$WORK/frames/step_5.png" ] && [ -f "$WORK/frames/step_40.png" ] || fail "frames not saved"
head -n 1 "$WORK/visit.replay" 2>/dev/null | grep -qx "vantorel-replay 1" || fail "replay not written to ./visit.replay"
ls "$WORK/game/snd/back.wav" >/dev/null 2>&1 || fail "music not converted"
tail -n 1 "$WORK/out.txt" | grep -qx "OK" || fail "printed log does not end with OK"
tail -n 1 "$WORK/game/sps/LOG.TXT" | tr -d '\r' | grep -qx "OK" || fail "log file does not end with OK"
grep -qx "Formkeydown: Escape" "$WORK/out.txt" || fail "Escape did not arrive"
peak=$(cat "$WORK/peak.kb")
[ "${2:-}" = sanitized ] || [ "$peak" -le 90000 ] || fail "peak resident memory of $peak KB, above the 90,000 KB the program states as its need"
echo "PASSED"
