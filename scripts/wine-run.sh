#!/usr/bin/env bash
# Runs one Windows test executable under the project's Wine prefix.
# Keeps one wineserver up across the whole test run.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
export TZ="${OV_TZ:-UTC}"
wineserver -p30 2>/dev/null || true
exec timeout --kill-after=10 "${OV_TEST_TIMEOUT:-900}" "$OV_WINE" "$@"
