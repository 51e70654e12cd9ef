#!/usr/bin/env bash
# Configures, builds and runs every test: first the normal build with all
# labels, then a clang build with AddressSanitizer + UndefinedBehaviorSanitizer
# that runs the unit and library tests and replays every fuzz corpus.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs="$(nproc)"
build="${ORVANE_BUILD_DIR:-build}"
asan="${ORVANE_ASAN_BUILD_DIR:-build-asan}"

echo "== normal build ($build)"
cmake -S . -B "$build" -G Ninja
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 300

if [ "${ORVANE_SKIP_SANITIZERS:-0}" != 1 ]; then
    echo "== sanitizer build ($asan)"
    cmake -S . -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DORVANE_SANITIZE=ON -DORVANE_FUZZ=ON
    cmake --build "$asan" -j "$jobs"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir "$asan" --output-on-failure -j "$jobs" --timeout 300 -L 'unit|library|fuzz'
fi
echo "== all tests passed"
