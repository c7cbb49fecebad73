#!/usr/bin/env bash
# The main job in one command: scripts/report.sh [log file ...]
#
# Sets up the machine and builds what is missing, lays out an install folder
# (the host stand-in, the plug-in, the engine and the shipped content), writes
# a profile of the logs given (or, with none, of a generated week of a small
# shop site's access log) and a saved report, and has the host run that report
# unattended, as a scheduled report runs. Prints the path of the report's
# first page. OV_STYLE names another report style of install/style.ini (for
# example "Frames").
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
builds="${OV_BUILD_DIR:-$root/build}"
out="${OV_REPORT_OUT:-$builds/report}"
programs=(ovhost.exe ovdesk.dll ovkit.dll ovcore.dll GSWDLL32.dll VIC32.dll CSTCTLS4.dll FTP4W32.dll DUNZIP32.dll)

"$root/scripts/ensure-build.sh" ovhost ovdesk ovkit ovcore gsw vic32 cstctls4 ftp4w32 dunzip32 ovprofile
source "$root/scripts/wine-env.sh"
bin="$builds/win64/bin"
winpath() { echo "Z:$(realpath -m "$1" | tr / '\\')"; }

logs=("$@")
mkdir -p "$out"
if [ ${#logs[@]} -eq 0 ]; then
    python3 "$root/scripts/sample-log.py" 5000 >"$out/sample-access.log"
    logs=("$out/sample-access.log")
fi
args=()
for log in "${logs[@]}"; do
    [ -f "$log" ] || { echo "report.sh: no such log file: $log" >&2; exit 1; }
    args+=("$(winpath "$log")")
done

# A fresh install on every run: the same logs give the same report.
install="$builds/report-install"
rm -rf "$install"
mkdir -p "$install"
for program in "${programs[@]}"; do cp "$bin/$program" "$install/"; done
cp -r "$root/install/." "$install/"
data="$install/ovdesk/datfiles"
mkdir -p "$data"
run() { TZ="${OV_TZ:-UTC}" timeout --kill-after=10 "${OV_REPORT_TIMEOUT:-3600}" "$OV_WINE" "$@"; }
run "$bin/ovprofile.exe" "$(winpath "$data")" 00000001 "$(basename "${logs[0]}")" "${args[@]}"
printf '[General]\r\nDescription=Main job\r\n\r\n[Style]\r\nReportLanguage=ENGLISH\r\nReportStyle=%s\r\n\r\n' \
    "${OV_STYLE:-(Default)}" >"$data/00000001.MSS"

first="$out/index.htm"
rm -f "$out"/*.htm "$out"/*.gif # never show an earlier run's report
(cd "$install" && run ./ovhost.exe /rf 00000001.wlp 00000001.MSS "$(winpath "$first")") \
    >"$out/host.log" 2>&1 || { cat "$out/host.log" >&2; exit 1; }
[ -f "$first" ] || { cat "$out/host.log" >&2; echo "report.sh: no report was written" >&2; exit 1; }
echo "$first"
