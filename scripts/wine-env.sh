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
