#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the suite
# under AddressSanitizer + UndefinedBehaviorSanitizer, a bounded fuzz run of
# the WAVE import, then the suite as shipped.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test

export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy
jobs=$(nproc)

cmake -S . -B build-test -G Ninja >/dev/null
cmake --build build-test -j "$jobs"

cmake -S . -B build-asan -G Ninja -DMORLIX_SANITIZE=ON -DMORLIX_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"

cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DMORLIX_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$jobs"

echo "== fuzzing the WAVE import for 60 s"
corpus=build-fuzz/corpus
mkdir -p "$corpus"
build-fuzz/fuzz/make_seed_corpus "$corpus"
build-fuzz/fuzz/readwave_fuzz -max_total_time=60 -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 "$corpus" 2>&1 | tail -n 12

echo "== tests under AddressSanitizer + UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== tests"
ctest --test-dir build-test --output-on-failure -j "$jobs"
