#!/usr/bin/env bash
# Installs the build and test tools and makes the project's Wine prefix.
# Idempotent and quiet when everything is already there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"

packages=(cmake g++-mingw-w64-i686 g++-mingw-w64-x86-64 libz-mingw-w64-dev googletest
          wine wine32:i386 wine64 libodbc2 libsqliteodbc
          libodbc2:i386 libsqliteodbc:i386 odbcinst
          odbc-postgresql odbc-postgresql:i386 postgresql  # the ODBC tests' second driver and its server
          python3-aiosmtpd   # the tests' SMTP sink
          python3-pyftpdlib  # the tests' FTP server
          nginx              # the tests' HTTP server
          xvfb netpbm        # scripts/screenshot.sh
          fonts-wine         # Wine's own fonts: the caption buttons' symbols, the dialog font
          fonts-liberation   # the Arial, Times and Courier faces of reports and charts
          libstb-dev         # stb_image_write.h: the imaging library's JPEG encoder
          python3-pil        # the graph tests decode GIF, JPEG and WMF files
          chromium)          # scripts/check-report.sh

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd dpkg --add-architecture i386
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

# The prefix gets the null graphics driver before its first boot: setting it
# later, with a wineserver already running, has been seen not to take.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "setup: making the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    cat > "$WINEPREFIX/user.reg" <<'REG'
WINE REGISTRY Version 2
;; All keys relative to \\User\\S-1-5-21-0-0-0-1000

#arch=win64

[Software\\Wine\\Drivers] 1700000000
"Graphics"="null"

[Software\\Wine\\WineDbg] 1700000000
"ShowCrashDialog"=dword:00000000
REG
    "$OV_WINE" wineboot -i >/dev/null 2>&1 || true
    wineserver -w
fi
ov_install_wine_fonts

