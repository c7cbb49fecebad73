#!/usr/bin/env bash
# The end-to-end benchmark of the main job, beside the analysers people use:
#   scripts/report-bench.sh [-n lines] [-t] [-i] [-s]
#
# Builds ovreport and ovcore_readbench when missing, has ovcore_readbench
# write its generated combined log (default 1,000,000 lines) once into a
# kept folder, $OV_BUILD_DIR/report-bench/logs-<lines> (later runs reuse
# it), then times over that file, in this one run, each with its wall time,
# processor time (user + system, from the host) and peak resident size:
#   - the main job: ovreport --stats under wine64, as scripts/report.sh runs
#     it (also its own figures: the run, the writing, its peak working set);
#   - the baseline: ovcore_readbench's plain read-and-split pass (1 MB
#     reads, lines split at LF, fields at blanks; best of two) under the
#     same Wine: the least any log reader must do in that runtime. wc -l
#     from the host is shown beside it as the bare cost of reading the file;
#   - Webalizer, GoAccess and Analog where they are installed (-i installs
#     the missing ones from Debian's packages first), each on the same file
#     with comparable work: no DNS look-ups, one report of the whole log
#     (see docs/benchmarks.md); the ratios are theirs over the main job's.
# -t also runs the main job on a log ten times as long and prints the ratio
# of the two runs' times (slow: the log takes 2.4 GB and minutes to write).
# -s leaves the other analysers out.
# Prints one table. Exit status 1 when a step fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
builds="${OV_BUILD_DIR:-$root/build}"
lines=1000000
tenfold=0
install_others=0
skip_others=0
usage="usage: scripts/report-bench.sh [-n lines] [-t] [-i] [-s]"
while getopts "n:tis" flag; do
    case $flag in
        n) lines=$OPTARG ;;
        t) tenfold=1 ;;
        i) install_others=1 ;;
        s) skip_others=1 ;;
        *) echo "$usage" >&2; exit 2 ;;
    esac
done
[[ $lines =~ ^[1-9][0-9]*$ ]] || { echo "report-bench: -n takes a line count" >&2; exit 2; }

if [ "$install_others" = 1 ] && [ "$skip_others" = 0 ]; then
    missing=()
    for tool in webalizer goaccess analog; do
        command -v "$tool" >/dev/null || missing+=("$tool")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        apt-get update -q >/dev/null
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" >/dev/null
    fi
fi

"$root/scripts/ensure-build.sh" ovreport ovcore_readbench
source "$root/scripts/wine-env.sh"
bin="$builds/win64/bin"
bench="$builds/report-bench"
work=$(mktemp -d "${TMPDIR:-/tmp}/report-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
windows() { echo "Z:$(realpath -m "$1" | tr / '\\')"; }

# Runs a command with its output in $work/<name>.out and .err; sets wall
# (seconds, from the host), cpu (user + system seconds of the command and
# its children) and rss (peak resident size in KB).
timed() {
    local name=$1
    shift
    local start end
    start=$(date +%s.%N)
    /usr/bin/time -f "%M %U %S" -o "$work/$name.time" "$@" >"$work/$name.out" \
        2>"$work/$name.err" </dev/null || {
        echo "report-bench: $name failed:" >&2
        tail -20 "$work/$name.err" >&2
        exit 1
    }
    end=$(date +%s.%N)
    wall=$(echo "$end - $start" | bc -l)
    read -r rss user system < <(tail -1 "$work/$name.time")
    cpu=$(echo "$user + $system" | bc -l)
}

# Writes (once) the generated log of $1 lines; sets log.
generated_log() {
    local logs="$bench/logs-$1"
    mkdir -p "$logs"
    log="$logs/combined.log"
    # A log left half written by a stopped run is written again.
    [ -f "$logs/complete" ] || rm -f "$log"
    timed readbench "$OV_WINE" "$bin/ovcore_readbench.exe" -n "$1" -r 2 -c -u -d "$(windows "$logs")"
    touch "$logs/complete"
}

# The main job over $log; sets report_s, report_cpu, report_rss and the
# program's own figures (figure NAME).
main_job() {
    rm -f "$bench/report/index.htm"
    timed ovreport env TZ=UTC timeout --kill-after=10 3600 "$OV_WINE" "$bin/ovreport.exe" --stats \
        --out "$(windows "$bench/report/index.htm")" "$(windows "$log")"
    report_s=$wall
    report_cpu=$cpu
    report_rss=$rss
}
figure() { sed -n "s/^$1: \([0-9.]*\).*/\1/p" "$work/ovreport.err" | tr -d '\r'; }

generated_log "$lines"
read -r plain_lines plain_s < <(awk '/plain read-and-split/ { print $3, $5 }' "$work/readbench.out")
timed wc wc -l "$log"
wc_s=$wall
main_job
read_lines=$(figure "lines read")
peak_mib=$(echo "$(figure "peak working set") / 1048576" | bc -l)

# The other analysers: name, then the command (run in its own output folder).
others=()
declare -A other_s other_cpu other_rss
run_other() {
    local name=$1
    shift
    command -v "$1" >/dev/null || return 0
    mkdir -p "$work/$name"
    timed "$name" env -C "$work/$name" TZ=UTC "$@"
    others+=("$name")
    other_s[$name]=$wall
    other_cpu[$name]=$cpu
    other_rss[$name]=$rss
}
if [ "$skip_others" = 0 ]; then
    # Webalizer: an empty configuration (no DNS cache, so no look-ups), quiet,
    # its HTML and charts into the folder.
    : >"$work/webalizer.conf"
    run_other webalizer webalizer -c "$work/webalizer.conf" -Q -n bench -o "$work/webalizer" "$log"
    # GoAccess: no configuration file, no look-ups (its default), one HTML report.
    run_other goaccess goaccess --no-global-config --log-format=COMBINED \
        -o "$work/goaccess/report.html" "$log"
    # Analog: no configuration file but these commands, every report on, no
    # look-ups (its default), charts beside the page.
    run_other analog analog -G +C"ALL ON" +C"LOGFORMAT COMBINED" +C"DNS NONE" \
        +C"OUTFILE $work/analog/index.html" "$log"
fi

per_second() { echo "$1 / $2" | bc -l | xargs printf "%.0f"; }
row() { printf "%-40s %10s %10s %10s %12s %12s\n" "$@"; }
echo "report-bench: $lines-line combined log, $(($(stat -c %s "$log") / 1000000)) MB, $log"
echo "load average $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
row "pass" "lines" "seconds" "cpu s" "lines/s" "peak memory"
row "main job: ovreport --stats (host)" "$read_lines" "$(printf %.3f "$report_s")" \
    "$(printf %.2f "$report_cpu")" "$(per_second "$read_lines" "$report_s")" \
    "$((report_rss / 1024)) MiB"
row "  run: reading and counting" "" "$(figure run)" "" "" ""
row "  writing the report" "" "$(figure writing)" "" "" ""
row "  run and writing" "" "$(printf %.3f "$(echo "$(figure run) + $(figure writing)" | bc -l)")" \
    "" "$(figure "lines per second")" ""
row "  whole program, set-up included" "" "$(figure program)" "" "" \
    "$(printf %.1f "$peak_mib") MiB"
row "baseline: plain read-and-split (Wine)" "$plain_lines" "$plain_s" "" \
    "$(per_second "$plain_lines" "$plain_s")" ""
row "host: wc -l" "$lines" "$(printf %.3f "$wc_s")" "" "$(per_second "$lines" "$wc_s")" ""
for name in webalizer goaccess analog; do
    if [ -n "${other_s[$name]:-}" ]; then
        row "$name" "$lines" "$(printf %.3f "${other_s[$name]}")" \
            "$(printf %.2f "${other_cpu[$name]}")" "$(per_second "$lines" "${other_s[$name]}")" \
            "$((other_rss[$name] / 1024)) MiB"
    elif [ "$skip_others" = 0 ]; then
        echo "$name: absent (not installed; -i installs it)"
    fi
done
printf "ratio plain read-and-split / main job: %.3f\n" "$(echo "$plain_s / $report_s" | bc -l)"
for name in "${others[@]}"; do
    printf "ratio %s / main job: wall %.2f, cpu %.2f, peak memory %.2f (above 1: the main job is faster or smaller)\n" \
        "$name" "$(echo "${other_s[$name]} / $report_s" | bc -l)" \
        "$(echo "${other_cpu[$name]} / $report_cpu" | bc -l)" \
        "$(echo "${other_rss[$name]} / $report_rss" | bc -l)"
done

if [ "$tenfold" = 1 ]; then
    small_s=$report_s
    small_cpu=$report_cpu
    generated_log $((lines * 10))
    main_job
    row "main job, $((lines * 10)) lines" "$(figure "lines read")" "$(printf %.3f "$report_s")" \
        "$(printf %.2f "$report_cpu")" "$(per_second "$(figure "lines read")" "$report_s")" \
        "$((report_rss / 1024)) MiB"
    printf "ratio main job %d / %d lines: wall %.2f, cpu %.2f\n" $((lines * 10)) "$lines" \
        "$(echo "$report_s / $small_s" | bc -l)" "$(echo "$report_cpu / $small_cpu" | bc -l)"
fi
echo "report: $bench/report/index.htm"
