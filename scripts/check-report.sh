#!/usr/bin/env bash
# Looks at the sample reports as a person would: opens them in headless
# Chromium from their file:// addresses, checks that every local image, frame
# and link they name exists beside them, that every image (the graphs too)
# loads, that the pages hold the report's
# title and the counts of the sample log (ovcore/tests/sample_report/
# sample.log, counted by hand below), that every line ends in CR LF and that
# the pages keep the template's character set (windows-1252); leaves a
# picture of the first page (report.png) in the report folder. The reports
# of a log full of mark-up (markup/ and markup-frames/) must show it as text
# and run none of it.
#   scripts/check-report.sh <folder holding single/, frames/, markup/ and
#   markup-frames/>
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

# Every <img> of the pages loads in the browser: the pages, opened in frames
# of one probe page, list their images that have no source or did not decode.
check_images() {
    local probe="$profile/probe.htm" result page
    {
        echo '<html><body><pre id="out">not loaded</pre>'
        for page in "$@"; do echo "<iframe src=\"file://$page\"></iframe>"; done
        cat <<'PROBE'
<script>
window.onload = function () {
  var bad = [], frames = document.getElementsByTagName('iframe');
  for (var f = 0; f < frames.length; f++) {
    var d = frames[f].contentDocument;
    if (!d) { bad.push(frames[f].src + ' (no access)'); continue; }
    for (var i = 0; i < d.images.length; i++) {
      var im = d.images[i];
      if (!im.getAttribute('src') || !im.complete || im.naturalWidth === 0)
        bad.push(frames[f].src + ': ' + (im.getAttribute('src') || '(no source)'));
    }
  }
  document.getElementById('out').textContent = 'broken:[' + bad.join(' ') + ']';
};
</script></body></html>
PROBE
    } > "$probe"
    result=$(chrome --allow-file-access-from-files --virtual-time-budget=10000 --dump-dom \
        "file://$probe" | grep -o '<pre id="out">[^<]*' | sed 's/^<pre id="out">//')
    [ "$result" = "broken:[]" ] || fail "images that do not load: $result"
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
check_images "$root"/single/report.htm "$root"/frames/report_*_b.htm

# The table rows of a page's DOM, one a line, cells after "|":
# "|Successful hits|32".
rows() { sed -e 's/<\/tr>/\n/gI' -e 's/<t[dh][^>]*>/|/gI' -e 's/<[^>]*>//g' "$1" > "$1.rows"; }

expect_row() {
    if ! grep -qxE "$2" "$1.rows"; then
        fail "$1 has no table row matching $2"
    fi
}

single=$root/single/report.htm.dom
expect_text "$single" "<title>Ostrevane Web Log Analyzer Report</title>"
expect_text "$single" "Ostrevane sample report"
expect_text "$single" "Web Site Activity Report"
expect_text "$single" "</html>"
rows "$single"
# 34 lines: two 404s; seven images (one answered 304); robots.txt and 25
# pages in all; eleven visits of six clients (a visit ends after 30 idle
# minutes); six hits from search engines, one of them for "café widgets".
expect_row "$single" '\|Successful hits\|32'
expect_row "$single" '\|Visits\|11'
expect_row "$single" '\|Page views\|25'
expect_row "$single" '\|Home page hits\|9'
expect_row "$single" '\|All hits\|34'
expect_row "$single" '\|Failed hits\|2 \(5\.88%\)'
expect_row "$single" '\|03/09\|15\|5\|63'
expect_row "$single" '\|03/10\|17\|6\|79'
# Most requested pages (index.html is the site's default document)
expect_row "$single" '\|1\|http://www\.example\.com/ ?\|9\|36%\|9'
expect_row "$single" '\|2\|http://www\.example\.com/products\.html ?\|7\|28%\|7'
expect_row "$single" '\|\|Total\|25\|100%\|25'
# Most active visitors
expect_row "$single" '\|1\|192\.0\.2\.10\|12\|37\.5%\|3'
expect_row "$single" '\|6\|198\.51\.100\.23\|1\|3\.12%\|1'
# Search engines, words and phrases
expect_row "$single" '\|1\|Google\|4\|66\.66%\|4'
expect_row "$single" '\|2\|Bing\|2\|33\.33%\|2'
expect_row "$single" '\|1\|widgets\|4\|30\.76%\|4'
expect_row "$single" '\|1\|blue widgets\|2\|33\.33%\|2'
expect_row "$single" '\|4\|café widgets\|1\|16\.66%\|1'
expect_row "$single" '\|1\|Google\|widgets\|3\|50%'
# Pages not found and client errors
expect_row "$single" '\|1\|/old-page\.html\|2\|100%\|0'
expect_row "$single" '\|1\|404 Page or File Not Found\|2\|100%\|0'
# Rows past a table's items are taken out.
if grep -qE '^\|[0-9]+\|\|\|' "$single.rows"; then
    fail "$single holds empty table rows"
fi

# The pages are windows-1252, as their template declares: the search word
# "café" is the byte E9 in the file, and the browser reads it back.
for page in "$root"/single/report.htm "$root"/frames/report_00_b.htm; do
    expect_text "$page" 'charset=windows-1252'
done
if ! LC_ALL=C grep -q $'caf\xe9' "$root/single/report.htm" ||
    LC_ALL=C grep -q $'caf\xc3\xa9' "$root/single/report.htm"; then
    fail "$root/single/report.htm does not hold the search word in windows-1252"
fi

# Every chapter page has the style and character set of the first, and
# holds a section: a page whose chapters were all removed is not left.
for page in "$root"/frames/report_*_b.htm; do
    expect_text "$page" 'charset=windows-1252'
    expect_text "$page" '<STYLE TYPE="text/css">'
    expect_pattern "$page" '<a name="[A-Za-z]'
done

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
first=$root/frames/report_00_b.htm.dom
rows "$first"
expect_row "$first" '\|Successful hits\|32'

# A log whose every field holds mark-up (ovcore/tests/sample_report/
# markup.log), under a title with mark-up: the pages show it as text and run
# none of it. Each payload would set the page's title to "owned" (written
# 'ow'+'ned', so that the text itself never holds the word) or leave an
# element of its own in the page.
for page in "$root"/markup/*.htm "$root"/markup-frames/*.htm; do
    [ -f "$page" ] || { fail "no pages in $(dirname "$page")"; continue; }
    check_line_ends "$page"
    check_links "$page"
    chrome --virtual-time-budget=3000 --dump-dom "file://$page" > "$page.dom" ||
        fail "$page did not load"
    if grep -q owned "$page.dom"; then
        fail "$page ran a script of its log"
    fi
    if grep -qiE '<img src="x"|<svg|<script>document' "$page.dom"; then
        fail "$page holds an element of its log"
    fi
done
markup=$root/markup/report.htm.dom
expect_text "$markup" "&lt;svg/onload=document.title='ow'+'ned'&gt;"
expect_text "$markup" "&lt;img src=x onerror=document.title='ow'+'ned'&gt;"
expect_text "$markup" "/c&lt;!--.html"
expect_text "$markup" "/amp.html?a=1&amp;lt;b&amp;gt;=2"
# The rest of the page after each of them (a cut <script>, a <!--) is there.
expect_text "$markup" "Written by the Ostrevane Web Log Analyzer"
expect_text "$root/markup-frames/report.htm.dom" \
    "<title>Markup &lt;script&gt;document.title='ow'+'ned'&lt;/script&gt; &amp; co</title>"

chrome --screenshot="$root/report.png" --window-size=1024,4200 "file://$root/single/report.htm" ||
    fail "no picture of the first page"
if [ ! -s "$root/report.png" ]; then
    fail "no picture of the first page"
fi

if [ "$failures" -gt 0 ]; then
    echo "check-report: $failures problem(s)"
    exit 1
fi
echo "check-report: the sample reports load, and every file they name is there"
