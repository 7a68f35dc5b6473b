#!/usr/bin/env bash
# Starts quorvel-server with the shipped models on a free loopback port, runs
# the bounded load driver against it, and stops the server.
# Usage: bench/server/server_load.sh BUILD_DIR [driver arguments after PORT...]
set -euo pipefail
build=${1:?usage: server_load.sh BUILD_DIR [per-type] [load requests] [clients] [seconds]}
shift
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
log=$(mktemp)
"$build/bin/quorvel-server" --listen "127.0.0.1:$port" 2>"$log" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -f "$log"' EXIT
for _ in $(seq 100); do grep -q "ready on" "$log" && break; sleep 0.1; done
grep "ready on" "$log"
"$build/bench/bench_server_load" "$port" "$@"
