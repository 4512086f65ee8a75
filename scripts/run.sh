#!/usr/bin/env bash
# Installs what is missing, builds Calbrine and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target calbrine
# The program keeps its last-session file in the working folder: it runs in the per-user data
# folder, so that the checkout stays clean.
program="$PWD/build/calbrine"
folder="${XDG_DATA_HOME:-$HOME/.local/share}/calbrine"
mkdir -p "$folder"
cd "$folder"
exec "$program"
