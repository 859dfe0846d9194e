#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# ./build-asan and runs every test there; any finding fails the run. Built for speed: -O1 and
# line tables only (-g1), enough for reports with file and line; assertions stay on (Debug).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ccache.sh
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -O1"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DVEXA_BUILD_TOOLS=OFF -DVEXA_WERROR="${VEXA_WERROR:-OFF}"
cmake --build build-asan -j2
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd build-asan
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
