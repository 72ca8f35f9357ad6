#!/bin/sh
# Builds what is missing and prints the frame correction's figures: natively
# with Google Benchmark, then the 32-bit build under Wine (the real zepho.auf
# beside each path of the core). Takes about a minute.
# Build folders: build/bench-native and build/bench-win32.
set -eu
cd "$(dirname "$0")/.."
sh tools/setup.sh

cmake -S . -B build/bench-native >/dev/null
cmake --build build/bench-native -j 2 --target zepho_frame_bench_native >/dev/null
cmake -S . -B build/bench-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.toolchain.cmake >/dev/null
cmake --build build/bench-win32 -j 2 --target zepho_frame_bench_win32 >/dev/null

echo "== native (x86-64, Google Benchmark)"
build/bench-native/bin/zepho_frame_bench_native --benchmark_color=false
echo
echo "== win32 under Wine (zepho.auf and the statically linked core)"
sh cmake/wine-prefix.sh setup "$PWD/build/bench-win32/wineprefix"
(cd build/bench-win32/bin && ../wine-run.sh zepho_frame_bench_win32.exe)
sh cmake/wine-prefix.sh stop "$PWD/build/bench-win32/wineprefix"
