#!/usr/bin/env bash
# The end-to-end benchmark of the main job: scripts/report-bench.sh [-n lines]
#
# Builds ovreport and ovcore_readbench when missing, has ovcore_readbench
# write its generated combined log (default 1,000,000 lines) once into a
# kept folder, $OV_BUILD_DIR/report-bench/logs-<lines> (later runs reuse
# it), then times over that file, in this one run:
#   - the main job: ovreport --stats, as scripts/report.sh runs it (its own
#     figures, and the wall time and peak resident size seen from the host,
#     Wine's start and the throw-away install folder included);
#   - the baseline: ovcore_readbench's plain read-and-split pass (1 MB
#     reads, lines split at LF, fields at blanks; best of two) under the
#     same Wine as the main job: the least any log reader must do, in the
#     same runtime, so their ratio is the share of the time the report's
#     own work takes. wc -l from the host is shown beside it as the bare
#     cost of reading the file;
#   - analog, when it is installed: the same file, every report on, the
#     output in a temporary folder; the figure is analog's wall time over
#     the main job's.
# Prints one table. Exit status 1 when a step fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
builds="${OV_BUILD_DIR:-$root/build}"
lines=1000000
while getopts "n:" flag; do
    case $flag in
        n) lines=$OPTARG ;;
        *) echo "usage: scripts/report-bench.sh [-n lines]" >&2; exit 2 ;;
    esac
done
[[ $lines =~ ^[1-9][0-9]*$ ]] || { echo "report-bench: -n takes a line count" >&2; exit 2; }

"$root/scripts/ensure-build.sh" ovreport ovcore_readbench
source "$root/scripts/wine-env.sh"
bin="$builds/win64/bin"
bench="$builds/report-bench"
logs="$bench/logs-$lines"
log="$logs/combined.log"
work=$(mktemp -d "${TMPDIR:-/tmp}/report-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$logs"
windows() { echo "Z:$(realpath -m "$1" | tr / '\\')"; }

# Runs a command with its output in $work/<name>.out and .err; sets wall
# (seconds, from the host) and rss (peak resident size in KB).
timed() {
    local name=$1
    shift
    local start end
    start=$(date +%s.%N)
    /usr/bin/time -f %M -o "$work/$name.rss" "$@" >"$work/$name.out" 2>"$work/$name.err" || {
        echo "report-bench: $name failed:" >&2
        tail -20 "$work/$name.err" >&2
        exit 1
    }
    end=$(date +%s.%N)
    wall=$(echo "$end - $start" | bc -l)
    rss=$(tail -1 "$work/$name.rss")
}

# A log left half written by a stopped run is written again.
[ -f "$logs/complete" ] || rm -f "$log"
timed readbench "$OV_WINE" "$bin/ovcore_readbench.exe" -n "$lines" -r 2 -c -u -d "$(windows "$logs")"
touch "$logs/complete"
read -r plain_lines plain_s < <(awk '/plain read-and-split/ { print $3, $5 }' "$work/readbench.out")

timed wc wc -l "$log"
wc_s=$wall

rm -f "$bench/report/index.htm"
timed ovreport env TZ=UTC timeout --kill-after=10 3600 "$OV_WINE" "$bin/ovreport.exe" --stats \
    --out "$(windows "$bench/report/index.htm")" "$(windows "$log")"
report_s=$wall
report_rss=$rss
figure() { sed -n "s/^$1: \([0-9.]*\).*/\1/p" "$work/ovreport.err" | tr -d '\r'; }
read_lines=$(figure "lines read")
peak_mib=$(echo "$(figure "peak working set") / 1048576" | bc -l)

analog_s=""
if command -v analog >/dev/null; then
    # -G: no configuration file but these commands; run in the temporary
    # folder, so that its charts land there too.
    mkdir -p "$work/analog"
    timed analog env -C "$work/analog" analog -G +C"ALL ON" +C"LOGFORMAT COMBINED" \
        +C"OUTFILE $work/analog/index.html" "$log"
    analog_s=$wall
    analog_rss=$rss
fi

per_second() { echo "$1 / $2" | bc -l | xargs printf "%.0f"; }
row() { printf "%-40s %10s %10s %12s %12s\n" "$@"; }
echo "report-bench: $lines-line combined log, $(($(stat -c %s "$log") / 1000000)) MB, $log"
echo "load average $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
row "pass" "lines" "seconds" "lines/s" "peak memory"
row "main job: ovreport --stats (host wall)" "$read_lines" "$(printf %.3f "$report_s")" \
    "$(per_second "$read_lines" "$report_s")" "$((report_rss / 1024)) MiB"
row "  run: reading and counting" "" "$(figure run)" "" ""
row "  writing the report" "" "$(figure writing)" "" ""
row "  run and writing" "" "$(printf %.3f "$(echo "$(figure run) + $(figure writing)" | bc -l)")" \
    "$(figure "lines per second")" ""
row "  whole program, set-up included" "" "$(figure program)" "" \
    "$(printf %.1f "$peak_mib") MiB"
row "baseline: plain read-and-split (Wine)" "$plain_lines" "$plain_s" \
    "$(per_second "$plain_lines" "$plain_s")" ""
row "host: wc -l" "$lines" "$(printf %.3f "$wc_s")" "$(per_second "$lines" "$wc_s")" ""
if [ -n "$analog_s" ]; then
    row "analog, all reports" "$lines" "$(printf %.3f "$analog_s")" \
        "$(per_second "$lines" "$analog_s")" "$((analog_rss / 1024)) MiB"
else
    echo "analog: absent (not installed)"
fi
printf "ratio plain read-and-split / main job: %.3f\n" "$(echo "$plain_s / $report_s" | bc -l)"
if [ -n "$analog_s" ]; then
    printf "ratio analog / main job: %.2f (above 1: the main job is faster)\n" \
        "$(echo "$analog_s / $report_s" | bc -l)"
fi
echo "report: $bench/report/index.htm"
