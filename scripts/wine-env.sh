# Sourced by the scripts: the project's Wine prefix and quiet defaults.
# The tests run as 64-bit Windows programs under wine64: this machine's
# kernel cannot execute 32-bit code, so the 32-bit deliverables are built and
# checked at link time, and their code is tested in its 64-bit build.
export WINEPREFIX="${OV_WINEPREFIX:-$HOME/.wine-ostrevane}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}"
export OV_WINE="${OV_WINE:-/usr/lib/wine/wine64}"
unset DISPLAY
