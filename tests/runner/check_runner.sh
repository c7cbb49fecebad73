#!/usr/bin/env bash
# Checks scripts/wine-test.sh on one case of runner_plant.exe:
#   check_runner.sh RUNNER PLANT TEST pass|fail LINE...
# The runner, run on RunnerPlant.TEST alone, must pass or fail as told and
# print a line matching each extended regular expression LINE.
runner=$1 plant=$2 test=$3 expected=$4
shift 4
output=$("$runner" --limit 60 "$plant" --gtest_filter="RunnerPlant.$test" 2>&1)
status=$?
echo "$output"
if [ "$expected" = fail ] && [ $status -eq 0 ]; then
    echo "check_runner: the runner passed RunnerPlant.$test"
    exit 1
fi
if [ "$expected" = pass ] && [ $status -ne 0 ]; then
    echo "check_runner: the runner failed RunnerPlant.$test"
    exit 1
fi
for line in "$@"; do
    if ! echo "$output" | grep -qE "$line"; then
        echo "check_runner: no line matches: $line"
        exit 1
    fi
done
