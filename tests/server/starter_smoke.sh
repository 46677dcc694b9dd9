#!/usr/bin/env bash
# The bash starter of vantorel-server (tests/support/game_server.sh): starts
# the server, sees a request from the server's side, and stops it for good.
# Usage: starter_smoke.sh BUILD_DIR
set -u
build=$1
source "$(dirname "$0")/../support/game_server.sh"
work=$(mktemp -d /tmp/vantorel-starter-XXXXXX)
trap 'stop_game_server; rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; cat "$GAME_SERVER_LOG" 2>/dev/null; exit 1; }

start_game_server "$build" "$work/data" --log-headers || fail "the server did not start"
[[ $GAME_SERVER_URL =~ ^http://127\.0\.0\.1:[0-9]+$ ]] || fail "odd address: $GAME_SERVER_URL"
curl -sf -A "Mozilla/3.0 (compatible; Indy Library)" -H "Accept: text/html, */*" \
  "$GAME_SERVER_URL/vtrinternal/version.txt?cs=secret" >"$work/version.txt" || fail "no version.txt"
head -n 1 "$work/version.txt" | grep -qx $'1.07\r' || fail "version.txt: $(cat "$work/version.txt")"
line='GET /vtrinternal/version.txt 200 accept="text/html, */*" user-agent="Mozilla/3.0 (compatible; Indy Library)"'
for _ in $(seq 50); do grep -qxF "$line" "$GAME_SERVER_LOG" && break; sleep 0.1; done
grep -qxF "$line" "$GAME_SERVER_LOG" || fail "request line missing"
grep -q secret "$GAME_SERVER_LOG" && fail "the query string was logged"
pid=$GAME_SERVER_PID
stop_game_server
kill -0 "$pid" 2>/dev/null && fail "the server still runs"
echo "ok"
