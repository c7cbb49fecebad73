#!/usr/bin/env bash
# Starts or stops the tests' SMTP sink (smtp_sink.py) in a folder of its own:
#   smtp_sink.sh start FOLDER   empties FOLDER, starts the sink, waits for its port
#   smtp_sink.sh stop FOLDER    stops the sink started there
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
action=$1 folder=$2

stop() {
    if [ -f "$folder/pid" ]; then
        kill "$(cat "$folder/pid")" 2>/dev/null || true
        rm -f "$folder/pid"
    fi
}

case $action in
start)
    stop
    rm -rf "$folder"
    mkdir -p "$folder"
    setsid /usr/bin/python3 "$here/smtp_sink.py" "$folder" >"$folder/sink.log" 2>&1 </dev/null &
    echo $! >"$folder/pid"
    for _ in $(seq 100); do
        [ -f "$folder/port" ] && exit 0
        kill -0 "$(cat "$folder/pid")" 2>/dev/null || break
        sleep 0.1
    done
    echo "smtp_sink: the sink did not start" >&2
    cat "$folder/sink.log" >&2
    stop
    exit 1
    ;;
stop) stop ;;
*) echo "usage: $0 start|stop FOLDER" >&2; exit 2 ;;
esac
