# Sourced by bash tests that need vantorel-server (the pattern of
# game_server_process.h for C++ tests):
#   start_game_server BUILD_DIR DATA_DIR [server options...]
#     starts BUILD_DIR/vantorel-server on 127.0.0.1 with a free port; sets
#     GAME_SERVER_URL (http://127.0.0.1:PORT), GAME_SERVER_PID and
#     GAME_SERVER_LOG (the file of its request lines, DATA_DIR/server.log).
#     Returns 1 (and prints why) when it did not start.
#   stop_game_server
#     stops it (SIGTERM, then SIGKILL after 5 s) and waits for it.
start_game_server() {
  local build=$1 data=$2
  shift 2
  mkdir -p "$data"
  GAME_SERVER_LOG="$data/server.log"
  GAME_SERVER_URL=
  "$build/vantorel-server" --listen 127.0.0.1:0 --data "$data" "$@" >"$GAME_SERVER_LOG" 2>"$data/server.err" &
  GAME_SERVER_PID=$!
  for _ in $(seq 100); do
    GAME_SERVER_URL=$(sed -n 's/^listening on \(http:.*\)$/\1/p' "$GAME_SERVER_LOG" | head -n 1)
    [ -n "$GAME_SERVER_URL" ] && return 0
    kill -0 "$GAME_SERVER_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "vantorel-server did not start:" >&2
  cat "$data/server.err" >&2
  stop_game_server
  return 1
}

stop_game_server() {
  [ -n "${GAME_SERVER_PID:-}" ] || return 0
  kill "$GAME_SERVER_PID" 2>/dev/null
  for _ in $(seq 50); do
    kill -0 "$GAME_SERVER_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "$GAME_SERVER_PID" 2>/dev/null
  wait "$GAME_SERVER_PID" 2>/dev/null
  GAME_SERVER_PID=
}
