#!/usr/bin/env bash
# Set-up, build and tests in one command: scripts/test.sh [ctest arguments]
#
# Builds the 32-bit deliverables (build/win32) and the 64-bit test build
# (build/win64), then runs the tests of both under Wine: the 32-bit ones when
# this machine can run a 32-bit Windows program (one line says so otherwise).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
source "$root/scripts/wine-env.sh"
builds="${OV_BUILD_DIR:-$root/build}"

build() { # build <folder> <toolchain>
    local dir="$builds/$1"
    mkdir -p "$dir"
    cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2" >"$dir/configure.log" 2>&1 ||
        { cat "$dir/configure.log"; exit 1; }
    if ! cmake --build "$dir" -j"$(nproc)" >"$dir/build.log" 2>&1; then
        grep -vE '^\[ *[0-9]+%\]' "$dir/build.log" | tail -200
        exit 1
    fi
}

build win32 toolchain-mingw32.cmake
build win64 toolchain-mingw64.cmake

# Whether one small 32-bit program runs here under Wine; prints why not.
# Kernels without 32-bit support refuse the loader at once ("Exec format
# error"), so the probe is quick; the time limit covers a loader that hangs.
# bash starts the loader, since timeout's own start would hand a refused
# binary to the shell as a script.
win32_runs() {
    local probe="$builds/win32/bin/ovkit_tests.exe" output line rc=0
    [ -f "$probe" ] || { echo "no 32-bit test program was built"; return 1; }
    output=$(timeout --kill-after=5 60 bash -c '"$0" "$@"' "$OV_WINE32" "$probe" \
        --gtest_list_tests 2>&1) || rc=$?
    [ $rc -eq 0 ] && return 0
    [ $rc -eq 124 ] && { echo "the 32-bit Wine loader did not answer within 60 s"; return 1; }
    line=$(echo "$output" | grep -v '^ *$' | tail -n 1)
    if [ $rc -eq 126 ] || [ $rc -eq 127 ]; then
        echo "$OV_WINE32: ${line##*: }"
    else
        echo "exit code $rc: ${line:0:160}"
    fi
    return 1
}

wineserver -p60 2>/dev/null || true
# The first Windows process of a session starts Wine's own services (and
# updates the prefix after a Wine upgrade); let that happen outside the
# tests' time limits.
timeout --kill-after=10 300 "$OV_WINE" cmd /c exit >/dev/null 2>&1 || true
status=0
if reason=$(win32_runs); then
    (cd "$builds/win32" && OV_WINE="$OV_WINE32" ctest --output-on-failure -j"$(nproc)" "$@") ||
        status=$?
else
    echo "32-bit tests skipped: this machine cannot run 32-bit Windows programs ($reason)"
fi
(cd "$builds/win64" && ctest --output-on-failure -j"$(nproc)" "$@") || status=$?
wineserver -k 2>/dev/null || true
exit $status
