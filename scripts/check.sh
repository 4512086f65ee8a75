#!/usr/bin/env bash
# Installs what is missing, builds Calbrine with its tests and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# CI also runs the suite under the sanitizers and fuzzes the readers and formatters first; a
# developer's run stays quick. The main suite runs last, so its summary closes the output.
if [ -n "${CI:-}" ]; then
    scripts/check-sanitizers.sh
    scripts/fuzz.sh
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
