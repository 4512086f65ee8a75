#!/usr/bin/env bash
# Builds Calbrine with the address and undefined-behaviour sanitizers into build-asan/ and
# runs the whole test suite there. Any sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCALBRINE_SANITIZE=ON \
    -DCALBRINE_BUILD_BENCH=OFF
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
# The two longest runs, the whole quality report of the worked example (some fifty runs each),
# are left to the main suite: the same code runs here in the report's shorter tests (a dead
# design, Cancel, a refused box), and the two would add minutes to the sanitizers' run.
ctest --test-dir build-asan --output-on-failure -j"$(nproc)" \
    -E '^(QualityRun\.|QualityTabTest\.RunGives)'
