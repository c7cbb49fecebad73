#!/usr/bin/env bash
# Runs one GoogleTest program under Wine (through wine-run.sh) for CTest:
#   wine-test.sh [--limit SECONDS] PROGRAM [ARGUMENTS...]
#
# The verdict rests on the program's own result, never on a line that a child
# process could print into the same console: the tests it announces are
# listed first (--gtest_list_tests with the same arguments), then it runs and
# writes its XML result to a file of this run's own that no child is told of.
# The run fails when the program ends without that file or with a non-zero
# exit status, when fewer tests ran than it announced, and when it still runs
# after SECONDS (default 570; it is then ended, naming the test it was
# running). gtest-verdict.py names each skipped test and prints the closing
# line "N passed, N failed[, N skipped]".
#
# Under a busy wineserver a Windows process now and then writes its whole
# result and then never exits: once its result file is complete it gets 30 s
# to exit; after that it is ended and the file decides.
here=$(cd "$(dirname "$0")" && pwd)
limit=570
if [ "$1" = --limit ]; then
    limit=$2
    shift 2
fi
program=$(basename "$1" .exe)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Ends a process and all its descendants.
kill_tree() {
    local child
    for child in $(pgrep -P "$1"); do kill_tree "$child"; done
    kill -KILL "$1" 2>/dev/null
}

# Whether the result file is whole: GoogleTest writes it once, at the end.
result_complete() {
    tail -c 64 "$1" 2>/dev/null | grep -q '</testsuites>'
}

# The tests announced. Bounded too: a program can hang before its first test.
"$here/wine-run.sh" "$@" --gtest_list_tests >"$work/list" 2>&1 &
lister=$!
while kill -0 $lister 2>/dev/null && [ $SECONDS -lt "$limit" ]; do sleep 0.5; done
kill -0 $lister 2>/dev/null && kill_tree $lister
wait $lister 2>/dev/null

xml="$work/result.xml"
"$here/wine-run.sh" "$@" "--gtest_output=xml:Z:${xml//\//\\}" >"$work/log" 2>&1 &
pid=$!
tail -n +1 -f --pid=$pid "$work/log" &
tailer=$!
ended=""
while kill -0 $pid 2>/dev/null; do
    if result_complete "$xml"; then
        for _ in $(seq 60); do
            kill -0 $pid 2>/dev/null || break
            sleep 0.5
        done
        if kill -0 $pid 2>/dev/null; then
            ended=lingered
            kill_tree $pid
        fi
        break
    fi
    if [ $SECONDS -ge "$limit" ]; then
        ended=limit
        kill_tree $pid
        break
    fi
    sleep 0.5
done
wait $pid 2>/dev/null
status=$?
wait $tailer 2>/dev/null
python3 "$here/gtest-verdict.py" "$work/list" "$xml" "$work/log" "$status" "$ended" "$program" \
    "${@:2}"
