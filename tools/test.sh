#!/bin/sh
# Sets up what is missing, then builds and runs every test: the native core
# plain and under AddressSanitizer + UBSan, and the 32-bit Windows build
# (zepho.auf and its tests) under Wine.
set -eu
cd "$(dirname "$0")/.."
sh tools/setup.sh
jobs=$(nproc)

build() {  # build DIR [cmake options...]
    dir=$1
    shift
    cmake -S . -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j "$jobs" >/dev/null
}

build build/native
build build/native-asan -DZEPHO_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
build build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.toolchain.cmake

status=0
for dir in build/native build/native-asan build/win32; do
    echo "== $dir"
    ctest --test-dir "$dir" -j "$jobs" --output-on-failure || status=1
done
exit $status
