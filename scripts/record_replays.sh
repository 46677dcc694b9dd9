#!/usr/bin/env bash
# Records the replays under tests/replays anew: games of the headless runner's
# bot (won, lost, with torpedoes, with pauses) and a visit to the cave editor,
# each with a fixed seed on the build's own level and cave. The test run
# verifies them; after a change that alters the game on purpose, run this,
# look at what changed and commit the new files with the change.
# Usage: scripts/record_replays.sh [build dir]
set -eu
BUILD=$(cd "${1:-build}" && pwd)
OUT=$(cd "$(dirname "$0")/.." && pwd)/tests/replays
WORK=$(mktemp -d /tmp/vantorel-record-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$OUT"

# record NAME SETTINGS SCRIPT RUNNER-OPTIONS...: one visit to the game screen.
record() {
  local name=$1 settings=$2 script=$3
  shift 3
  local dir=$WORK/$name
  mkdir -p "$dir/sps"
  cp -r "$BUILD/gfx" "$BUILD/snd" "$dir/"
  cp "$BUILD/sps/Level1.txt" "$BUILD/sps/front.dat" "$dir/sps/"
  printf '%b' "$settings" >"$dir/sps/prog.cfg"
  printf '%b' "$script" >"$dir/input.txt"
  "$BUILD/vantorel-headless" --dir "$dir" --input "$dir/input.txt" --record "$OUT/$name.replay" "$@" \
    >"$dir/log" 2>"$dir/err" || { cat "$dir/err"; exit 1; }
  echo "$name: $(grep '^bot:' "$dir/err" || echo "$(wc -l <"$OUT/$name.replay") lines")"
}

record won "caveedit: 0\r\n" "" --seed 7 --bot
record lost "caveedit: 0\r\n" "" --seed 3 --bot-passive
# Torpedo mode a few seconds into play, two and three steps a frame.
record torpedoes "caveedit: 0\r\n" "6000 key T\n" --seed 11 --bot --ms-per-frame 50
# A pause of three seconds; then P twice within 200 ms, which keeps the game paused.
record pause "caveedit: 0\r\n" "20000 key P\n23000 key P\n40000 key P\n40100 key P\n45000 key P\n" --seed 5 --bot
# The cave editor: scroll both ways, pick an element up, turn it, drop it, leave.
record caveedit "caveedit: 1\r\n" \
  "500 move 20 300\n2500 move 400 300\n3000 move 790 300\n5000 move 400 420\n5200 down\n5600 move 300 380\n\
5800 wheel up\n6000 key Up\n6200 up\n6500 key Escape\n8000 key Escape\n" --seed 13
