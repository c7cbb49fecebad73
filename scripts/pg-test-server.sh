#!/usr/bin/env bash
# Starts or stops the loopback PostgreSQL server of the ODBC tests:
#   pg-test-server.sh start|stop DIR
# The tests run under Wine and cannot start host programs, so CTest runs this
# script as a fixture around them. The server gets its own data folder in
# DIR/data, listens on 127.0.0.1 only (no Unix socket outside DIR) and trusts
# local connections. The user "ovtest" owns two databases: "ovtest" (history
# and look-up tables) and "ovlogs" (only the log table: a log source reads
# the first table its data source lists).
#   DIR/port     the port it listens on
#   DIR/server.log
# The server refuses to run as root: when the script runs as root, the server
# runs as the "postgres" user that the package creates.
set -euo pipefail
action=${1:?start or stop}
dir=${2:?fixture folder}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[ -n "$bin" ] || { echo "pg-test-server: PostgreSQL is not installed" >&2; exit 1; }

as_server() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

stop() {
    if [ -f "$dir/data/postmaster.pid" ]; then
        as_server "$bin/pg_ctl" -D "$dir/data" -m immediate -w -t 20 stop >/dev/null 2>&1 || true
    fi
}

if [ "$action" = stop ]; then
    stop
    exit 0
fi

stop
rm -rf "$dir"
mkdir -p "$dir"
[ "$(id -u)" -ne 0 ] || chown postgres: "$dir"
as_server "$bin/initdb" -D "$dir/data" -U ovtest --auth=trust -E UTF8 --locale=C >"$dir/initdb.log" 2>&1 ||
    { echo "pg-test-server: initdb failed; see $dir/initdb.log" >&2; exit 1; }

# Free ports are found by trying: the server refuses to start on a taken one.
for _ in $(seq 20); do
    port=$((20000 + RANDOM % 40000))
    if as_server "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
        -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off" start >/dev/null 2>&1; then
        if as_server "$bin/createdb" -h 127.0.0.1 -p "$port" -U ovtest ovtest >>"$dir/server.log" 2>&1 &&
            as_server "$bin/createdb" -h 127.0.0.1 -p "$port" -U ovtest ovlogs >>"$dir/server.log" 2>&1; then
            echo "$port" > "$dir/port"
            exit 0
        fi
        stop
    fi
done
echo "pg-test-server: PostgreSQL did not start; see $dir/server.log" >&2
exit 1
