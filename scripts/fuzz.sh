#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/, replays the inputs that once
# crashed (fuzz/regressions/<target>/), then fuzzes each target for a bounded time from its
# seed corpus (fuzz/corpus/<target>/, copied so that the repository's stays as it is). The
# design-file target works in a temporary folder of its own, so it gets absolute paths.
# Fails when any target crashes; the crashing input is kept in build-fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-20}"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DCALBRINE_BUILD_FUZZ=ON -DCALBRINE_BUILD_GUI=OFF -DCALBRINE_BUILD_TESTS=OFF \
    -DCALBRINE_BUILD_BENCH=OFF
cmake --build build-fuzz -j"$(nproc)" --target fuzz_parse_eng fuzz_design_file fuzz_formatters

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"
mkdir -p build-fuzz/crashes
failed=0
for target in fuzz_parse_eng fuzz_design_file fuzz_formatters; do
    case "$target" in
        fuzz_parse_eng) max_len=4096 ;;
        fuzz_design_file) max_len=200000 ;;
        fuzz_formatters) max_len=8 ;;
    esac
    binary="build-fuzz/fuzz/$target"
    regressions=("$PWD/fuzz/regressions/$target"/*)
    if [ -e "${regressions[0]}" ]; then
        echo "== $target: replaying ${#regressions[@]} regression inputs"
        if ! "$binary" "${regressions[@]}"; then
            failed=1
            continue
        fi
    fi
    echo "== $target: fuzzing for ${seconds} s"
    mkdir -p "$scratch/$target" "$scratch/$target-crash"
    cp -R "fuzz/corpus/$target/." "$scratch/$target/"
    if ! "$binary" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
        -artifact_prefix="$scratch/$target-crash/" -print_final_stats=1 "$scratch/$target"; then
        cp "$scratch/$target-crash/"* build-fuzz/crashes/ 2>/dev/null || true
        echo "== $target crashed; the input is in build-fuzz/crashes/" >&2
        failed=1
    fi
done
exit "$failed"
