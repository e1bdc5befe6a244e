#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DMORLIX_TESTS=OFF -DMORLIX_BENCH=OFF >/dev/null
cmake --build build --target morlix
exec build/morlix
