# Sourced by the scripts: the project's Wine prefix and quiet defaults.
# The tests run as 64-bit Windows programs under wine64, and also as 32-bit
# ones under the 32-bit loader on machines whose kernel can execute 32-bit
# code (scripts/test.sh finds out by running one).
export WINEPREFIX="${OV_WINEPREFIX:-$HOME/.wine-ostrevane}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}"
export OV_WINE="${OV_WINE:-/usr/lib/wine/wine64}"
export OV_WINE32="${OV_WINE32:-/usr/lib/wine/wine}"
unset DISPLAY

# Puts Wine's own fonts (caption-button glyphs, MS Sans Serif and the rest)
# into the prefix: this Wine does not look for them where Debian installs them,
# so captions showed "0 1 r" and dialogs fell back to another face.
ov_install_wine_fonts() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" f
    [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] || return 0
    for f in /usr/share/wine/fonts/*.ttf; do
        [ -f "$fonts/${f##*/}" ] || cp "$f" "$fonts/"
    done
}
