#!/usr/bin/env bash
# scripts/screenshot.sh NAME OUT.png: opens one of ovkit's windows under Xvfb
# with Wine's X11 driver, in a Wine prefix of its own, and writes a PNG of the
# screen. Names: progress, popup, slider, clickable, propsheet, buttonbar,
# buttons (the table in ovkit/tools/showwindow/shown_windows.cpp; run with no
# name to list them), viewlog and viewer: the View Log File dialog and the
# report viewer over a sample log, opened through the stand-in host, and the
# toolbar library's: toolbar, toolbar-hot, toolbar-pressed, toolbar-scrolled,
# tooltip, tip, splash (bandolet/tools). The profile sheet and database
# maintenance go through the host as well: wizard (a new profile) and tabs
# (a stored one) write one picture per page, OUT-1.png, OUT-2.png, ...;
# maintenance writes OUT.png; options (the options sheet) one picture per page.
# The scheduler's dialogs: schedule-new and
# schedule-edit (Schedule Report on a new and on a stored event),
# schedule-mail (a mailto: destination) and schedule-add (the add dialog).
# The list editors and the report-language editor, intranet, adviews and
# language, write OUT-1.png (the editor) and OUT-2.png (its add or find dialog).
# filterwizard opens the filter wizard from a stored profile's Filters tab
# and writes one picture per wizard page.
# The tests keep using the null driver in the project's prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -ne 2 ]; then
    echo "usage: scripts/screenshot.sh NAME OUT.png" >&2
    echo "names: progress, popup, slider, clickable, propsheet, buttonbar, buttons, viewlog, viewer," >&2
    echo "       toolbar, toolbar-hot, toolbar-pressed, toolbar-scrolled, tooltip, tip, splash," >&2
    echo "       wizard, tabs, maintenance, options, schedule-new, schedule-edit, schedule-mail," >&2
    echo "       schedule-add, intranet, adviews, language, filterwizard" >&2
    exit 2
fi
name=$1
out=$(realpath -m "$2")
source "$root/scripts/wine-env.sh"
export WINEPREFIX="${OV_SHOT_PREFIX:-$HOME/.wine-ostrevane-x11}"
build="${OV_BUILD_DIR:-$root/build}/win64"
tool_target=ovkit_show
case "$name" in
toolbar* | tooltip | tip | splash) tool_target=bandolet_show ;;
esac
tool="$build/bin/$tool_target.exe"

for p in xvfb netpbm; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        { echo "screenshot: package $p is missing: run scripts/setup.sh" >&2; exit 1; }
done
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" >/dev/null
fi
case "$name" in
viewlog | viewer | wizard | tabs | maintenance | options | schedule-* | intranet | adviews | language | filterwizard) "$root/scripts/ensure-build.sh" ovhost ovdesk ovkit ovcore gsw cstctls4 ftp4w32 dunzip32 ovprofile >/dev/null ;;
*) cmake --build "$build" --target "$tool_target" -j3 >/dev/null ;;
esac

# A free display number.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
work=$(mktemp -d)
xvfb_pid=""
tool_pid=""
cleanup() {
    [ -n "$tool_pid" ] && kill "$tool_pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb ":$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "screenshot: making the Wine prefix $WINEPREFIX (once)"
    mkdir -p "$WINEPREFIX"
    "$OV_WINE" wineboot -i >/dev/null 2>&1 || true
    wineserver -w
fi
ov_install_wine_fonts

# A Windows path for a Unix one (Wine's Z: drive is the root).
to_windows() { printf 'Z:%s' "${1//\//\\}"; }

# A virtual desktop: Wine draws the window frames itself (Xvfb has no window
# manager). The picture is read from Wine's screen rather than with xwd: the
# X root window shows Wine's pop-up windows black.
picture="$work/screen.bmp"
case "$name" in
viewlog | viewer | wizard | tabs | maintenance | options | schedule-* | intranet | adviews | language | filterwizard)
    # An install with a profile of a sample log; the host opens the dialog,
    # takes its picture, presses Start and takes one of the finished viewer;
    # or it opens the sheet or the maintenance dialog and takes one picture
    # of each page.
    install="$work/install"
    mkdir -p "$install/ovdesk/datfiles"
    for program in ovhost.exe ovdesk.dll ovkit.dll ovcore.dll GSWDLL32.dll CSTCTLS4.dll FTP4W32.dll DUNZIP32.dll; do
        cp "$build/bin/$program" "$install/"
    done
    cp -r "$root/install/." "$install/"
    python3 "$root/scripts/sample-log.py" 300 >"$work/access.log"
    # The profile has what every tab needs (home page, a local history
    # database), and the settings show the optional tabs too.
    "$OV_WINE" "$build/bin/ovprofile.exe" --home "http://www.example.com/" "index.htm default.htm" \
        --history "$(to_windows "$install/ovdesk/datfiles")" 00000001 \
        access.log "$(to_windows "$work/access.log")" >/dev/null 2>&1
    printf 'hq,Head office,Boston,MA,US,10.1.0.0/16\r\nlab,Research lab,Toronto,ONTARIO,CA,192.168.1.10-192.168.1.90\r\n' \
        >"$install/OVINTRA.TXT"
    printf '"banner.gif","banner_click","Home page banner"\r\n"spring.gif","","Spring sale"\r\n' \
        >"$install/ADVIEWS.TXT"
    printf '[Defaults]\r\nWebEnable=TRUE\r\n' >>"$install/ostrevan.ini"
    printf '[Defaults]\r\nAllowRowmere=1\r\nAllowSwiftmereODBC=1\r\n' >>"$install/ovdesk/ovdesk.ini"
    dialog_picture="$work/dialog.bmp"
    viewer_picture="$work/viewer.bmp"
    case "$name" in
    viewlog | schedule-*) picture="$dialog_picture" ;;
    *) picture="$viewer_picture" ;;
    esac
    case "$name" in
    wizard) arguments=(--new) ;;
    tabs) arguments=(--edit 00000001.wlp) ;;
    maintenance) arguments=(--maintain) ;;
    options) arguments=(--options) ;;
    filterwizard) arguments=(--filters 00000001.wlp) ;;
    intranet | adviews | language) arguments=(--"$name") ;;
    schedule-*)
        "$root/scripts/screenshot-schedule-fixture.sh" "$install/ovdesk/datfiles"
        arguments=(--schedule-picture "${name#schedule-}" "$(to_windows "$dialog_picture")")
        ;;
    *) arguments=(--view 00000001.wlp "$(to_windows "$dialog_picture")" "$(to_windows "$viewer_picture")") ;;
    esac
    case "$name" in
    wizard | tabs | maintenance | options | intranet | adviews | language | filterwizard)
        arguments+=("$(to_windows "$work/page")")
        picture="$work/page1.bmp"
        ;;
    esac
    (cd "$install" && exec "$OV_WINE" explorer "/desktop=shot,800x600" "$(to_windows "$install/ovhost.exe")" \
        "${arguments[@]}") >"$work/log" 2>&1 &
    ;;
*)
    "$OV_WINE" explorer "/desktop=shot,800x600" "$(to_windows "$tool")" "$name" "$(to_windows "$picture")" \
        >"$work/log" 2>&1 &
    ;;
esac
tool_pid=$!
for _ in $(seq 600); do
    [ -e "$picture" ] && break
    if ! kill -0 "$tool_pid" 2>/dev/null; then
        cat "$work/log" >&2
        echo "screenshot: $tool_target ended before its window was ready" >&2
        exit 1
    fi
    sleep 0.1
done
[ -e "$picture" ] || { echo "screenshot: no window after 60 s" >&2; exit 1; }
case "$name" in
wizard | tabs | options | intranet | adviews | language | filterwizard)
    # Every page: the host ends after the last one.
    for _ in $(seq 600); do
        kill -0 "$tool_pid" 2>/dev/null || break
        sleep 0.1
    done
    for page in "$work"/page*.bmp; do
        number=${page##*/page}
        bmptopnm "$page" 2>/dev/null | pnmtopng >"${out%.png}-${number%.bmp}.png"
        echo "screenshot: ${out%.png}-${number%.bmp}.png"
    done
    ;;
*)
    bmptopnm "$picture" 2>/dev/null | pnmtopng >"$out"
    echo "screenshot: $out"
    ;;
esac
