#!/usr/bin/env bash
# Sets up the machine and builds the 64-bit tree's targets named, when they
# are missing or out of date: scripts/ensure-build.sh target...
#
# The tree is $OV_BUILD_DIR/win64 (default build/win64), built with
# $OV_BUILD_JOBS jobs (default: one a core). On a failure the
# configure or build messages are printed and the exit status is 1.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="${OV_BUILD_DIR:-$root/build}/win64"

"$root/scripts/setup.sh"
mkdir -p "$dir"
cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
    >"$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; exit 1; }
targets=()
for target in "$@"; do targets+=(--target "$target"); done
if ! cmake --build "$dir" -j"${OV_BUILD_JOBS:-$(nproc)}" "${targets[@]}" >"$dir/tools-build.log" 2>&1; then
    grep -vE '^\[ *[0-9]+%\]' "$dir/tools-build.log" | tail -100
    exit 1
fi
