#!/usr/bin/env bash
# Installs what is missing, builds Calbrine with its tests and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure
# CI also runs the suite under the sanitizers and fuzzes the readers and formatters; a
# developer's run stays quick.
if [ -n "${CI:-}" ]; then
    scripts/check-sanitizers.sh
    scripts/fuzz.sh
fi
