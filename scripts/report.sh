#!/usr/bin/env bash
# The main job in one command: scripts/report.sh [log file ...]
#
# Sets up the machine and builds what is missing, then writes the HTML report
# of the logs given (or, with none, of a generated week of a small shop site's
# access log) and prints the path of the report's first page. OV_STYLE names
# another report style of install/style.ini (for example "Frames").
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
builds="${OV_BUILD_DIR:-$root/build}"
out="${OV_REPORT_OUT:-$builds/report}"

"$root/scripts/ensure-build.sh" ovreport
source "$root/scripts/wine-env.sh"
dir="$builds/win64"

logs=("$@")
if [ ${#logs[@]} -eq 0 ]; then
    mkdir -p "$out"
    python3 "$root/scripts/sample-log.py" 5000 >"$out/sample-access.log"
    logs=("$out/sample-access.log")
fi
args=()
for log in "${logs[@]}"; do
    [ -f "$log" ] || { echo "report.sh: no such log file: $log" >&2; exit 1; }
    args+=("Z:$(realpath "$log" | tr / '\\')")
done
mkdir -p "$out"
first="$out/index.htm"
rm -f "$first" # never show an earlier run's report
TZ="${OV_TZ:-UTC}" timeout --kill-after=10 "${OV_REPORT_TIMEOUT:-3600}" "$OV_WINE" \
    "$dir/bin/ovreport.exe" --style "${OV_STYLE:-(Default)}" \
    --out "Z:$(realpath -m "$first" | tr / '\\')" "${args[@]}" >/dev/null
echo "$first"
