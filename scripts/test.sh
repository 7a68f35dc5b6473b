#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: in a plain
# build with warnings as errors, and in an AddressSanitizer + UBSan build;
# then the suites with threads once more under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)

bash scripts/build.sh build-ci -DQUORVEL_WERROR=ON -DCMAKE_INSTALL_PREFIX=/usr
ctest --test-dir build-ci --output-on-failure -j "$jobs"
bash scripts/package.sh build-ci

bash scripts/build.sh build-asan -DQUORVEL_WERROR=ON -DQUORVEL_SANITIZE=ON -DQUORVEL_BUILD_BENCH=OFF
# The MusicXML round trip spends its minutes in the notation program, not in
# our code; the plain run above covers it.
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan-suppressions.txt" \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" -E '^RoundTrip\.'

# The song's locks, the player and output threads and note preview: only
# these suites, so the extra build stays small.
TARGETS="model_tests playback_tests" bash scripts/build.sh build-tsan -DQUORVEL_WERROR=ON -DQUORVEL_TSAN=ON \
  -DQUORVEL_BUILD_BENCH=OFF -DQUORVEL_BUILD_UI=OFF
for suite in model playback; do
  TSAN_OPTIONS="halt_on_error=1 suppressions=$(pwd)/scripts/tsan-suppressions.txt" \
    ctest --test-dir "build-tsan/tests/$suite" --output-on-failure -j "$jobs"
done

# Every parser's fuzz target builds with clang's libFuzzer and replays its
# corpus once (fuzz/corpus/<target>/): seconds, not a campaign.
cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz
ctest --test-dir build-fuzz --output-on-failure -j "$jobs"
