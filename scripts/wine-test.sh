#!/usr/bin/env bash
# Runs one GoogleTest program under Wine (through wine-run.sh) for CTest.
#
# Under a busy wineserver a Windows process now and then prints its whole
# result and then never exits. Once the program has printed GoogleTest's
# closing summary it gets 30 s to exit; after that it is ended, the fact is
# said on standard error, and the printed result decides the exit status.
here=$(cd "$(dirname "$0")" && pwd)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

"$here/wine-run.sh" "$@" >"$log" 2>&1 &
pid=$!
tail -n +1 -f --pid=$pid "$log" &
tailer=$!

# Ends a process and all its descendants.
kill_tree() {
    local child
    for child in $(pgrep -P "$1"); do kill_tree "$child"; done
    kill -KILL "$1" 2>/dev/null
}

summary='^\[  PASSED  \] |^\[  FAILED  \] [0-9]+ tests?, listed below|^ *[0-9]+ FAILED TESTS?$'
forced=0
while kill -0 $pid 2>/dev/null; do
    if grep -qE "$summary" "$log"; then
        for _ in $(seq 60); do
            kill -0 $pid 2>/dev/null || break
            sleep 0.5
        done
        if kill -0 $pid 2>/dev/null; then
            forced=1
            kill_tree $pid
        fi
        break
    fi
    sleep 0.5
done
wait $pid 2>/dev/null
status=$?
wait $tailer 2>/dev/null
if [ $forced -eq 1 ]; then
    echo "wine-test: $(basename "$1") printed its result but did not exit within 30 s; ended it" >&2
    if grep -qE '^\[  FAILED  \]' "$log" || ! grep -qE '^\[  PASSED  \] ' "$log"; then
        exit 1
    fi
    exit 0
fi
exit $status
