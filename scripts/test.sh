#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test

export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy

cmake -S . -B build-test -G Ninja >/dev/null
cmake --build build-test
ctest --test-dir build-test --output-on-failure
