#!/usr/bin/env bash
# Looks at the sample reports as a person would: opens them in headless
# Chromium from their file:// addresses, checks that every local image, frame
# and link they name exists beside them, that the pages hold the report's
# title and words, and that every line ends in CR LF; leaves a picture of the
# first page (report.png) in the report folder.
#   scripts/check-report.sh <folder holding single/ and frames/>
set -euo pipefail
root=$(cd "${1:?report folder}" && pwd)
browser=${CHROMIUM:-chromium}
command -v "$browser" >/dev/null || { echo "check-report: $browser is not installed"; exit 1; }
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
failures=0
fail() { echo "check-report: $*"; failures=$((failures + 1)); }

chrome() {
    timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-background-networking \
        --disable-component-update --disable-sync --no-first-run --user-data-dir="$profile" "$@" \
        2>/dev/null
}

# The page's DOM after its scripts ran, into <page>.dom.
dump() { chrome --dump-dom "file://$1" > "$1.dom" || fail "$1 did not load"; }

# Every local src/href of a page (or its DOM) names a file beside it.
check_links() {
    local page=$1 folder
    folder=$(dirname "$page")
    { grep -oiE '(src|href)="[^"]*"' "$page" || true; } | sed -E 's/^[^"]*"//; s/"$//' | sort -u |
        while read -r link; do
            case "$link" in
                ''|'#'*|javascript:*|http:*|https:*|mailto:*|ftp:*) continue ;;
                *"'"*) continue ;; # a piece of script, not an address
            esac
            [ -f "$folder/${link%%#*}" ] || echo "$link"
        done > "$page.missing"
    if [ -s "$page.missing" ]; then
        fail "$page names missing files: $(tr '\n' ' ' < "$page.missing")"
    fi
    rm -f "$page.missing"
}

# Windows line ends: no line feed without its carriage return.
check_line_ends() {
    if LC_ALL=C grep -c $'[^\r]$' <(sed '$d' "$1") | grep -qv '^0$'; then
        fail "$1 has lines that do not end in CR LF"
    fi
}

expect_pattern() {
    if ! grep -qE "$2" "$1"; then
        fail "$1 does not hold a match of $2"
    fi
}

expect_text() {
    if ! grep -qF "$2" "$1"; then
        fail "$1 does not hold \"$2\""
    fi
}

for page in "$root"/single/*.htm "$root"/frames/*.htm; do
    if [ ! -f "$page" ]; then
        fail "no pages in $(dirname "$page")"
        continue
    fi
    check_line_ends "$page"
    check_links "$page"
done
# The pages a reader opens first, after their scripts ran.
for page in single/report.htm frames/report.htm frames/report_t.htm frames/report_00_b.htm; do
    dump "$root/$page"
    check_links "$root/$page.dom"
done

single=$root/single/report.htm.dom
expect_text "$single" "<title>Ostrevane Web Log Analyzer Report</title>"
expect_text "$single" "Web Site Activity Report"
expect_text "$single" "General Statistics"
expect_text "$single" "Most requested pages"
expect_text "$single" "</html>"

frames=$root/frames/report.htm.dom
expect_text "$frames" "<title>Ostrevane sample report</title>"
expect_text "$frames" 'name="TOC"'
expect_text "$frames" 'name="CONTENT"'
expect_text "$frames" 'src="report_t.htm"'
expect_text "$frames" 'src="report_00_b.htm"'
# The contents page lists the chapters and sections of the content pages.
contents=$root/frames/report_t.htm.dom
expect_text "$contents" 'href="report_00_b.htm#GeneralStats"'
# (pages whose sections all lack data hold no entry)
expect_pattern "$contents" 'href="report_0[1-9]_b.htm#'
expect_text "$contents" "General Statistics"

chrome --screenshot="$root/report.png" --window-size=1024,768 "file://$root/single/report.htm" ||
    fail "no picture of the first page"
if [ ! -s "$root/report.png" ]; then
    fail "no picture of the first page"
fi

if [ "$failures" -gt 0 ]; then
    echo "check-report: $failures problem(s)"
    exit 1
fi
echo "check-report: the sample reports load, and every file they name is there"
