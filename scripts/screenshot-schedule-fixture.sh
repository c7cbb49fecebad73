#!/usr/bin/env bash
# scripts/screenshot-schedule-fixture.sh DATFILES: the saved reports and the
# stored event that the scheduler's screenshots show (scripts/screenshot.sh).
set -euo pipefail
data=$1
definition() { # file description destination
    printf '[General]\r\nDescription=%s\r\n\r\n[SaveAs]\r\nSaveReportAs=%s\r\n\r\n[Content]\r\n' \
        "$2" "$3" >"$data/$1"
}
definition 00000001.MSS "Weekly summary" '.\weekly.htm'
definition 00000002.MSS "Monthly spreadsheet" '.\monthly.xls'
definition 00000003.MSS "Daily text digest" '.\daily.txt'
time=$(date -u -d '2030-03-04 06:30:00' +%s)
printf '[Main]\r\nVersion=256\r\nImmediate=0\r\nActive=1\r\nTime=%s\r\nRepeatIncrement=1\r\nRepeatType=3\r\nRemote=0\r\nActivityType=3\r\nSaveAsFileType=1\r\nMemorized=Monthly spreadsheet\r\nServer=\r\nSetName=00000001\r\nSetExtension=wlp\r\nSetDescription=\r\nSaveAsFilename=ftp://reports.example.com/web/monthly.xls\r\nSaveAsUsername=webstats\r\nSaveAsPassword=\r\n' \
    "$time" >"$data/log0000.las"
