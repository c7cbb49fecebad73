#!/usr/bin/env bash
# Set-up, build and tests in one command: scripts/test.sh [ctest arguments]
#
# Builds the 32-bit deliverables (build/win32) and the 64-bit test build
# (build/win64), then runs the tests of the latter under Wine.
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

wineserver -p60 2>/dev/null || true
cd "$builds/win64"
status=0
ctest --output-on-failure -j"$(nproc)" "$@" || status=$?
wineserver -k 2>/dev/null || true
exit $status
