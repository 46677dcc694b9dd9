#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: every test in build/, then
# everything but the Qt menu window again under AddressSanitizer and UBSan in
# build-asan/: the core's unit tests, the world, displays and game on the
# generated content, and whole games through the headless runner.
set -uo pipefail
cd "$(dirname "$0")"
scripts/setup.sh || exit 1

status=0
echo "== formatting (clang-format 14)"
scripts/check_format.sh || status=1

echo "== all tests (build/)"
ctest --test-dir build --output-on-failure -j2 || status=1

echo "== unit and whole-game tests with sanitizers (build-asan/)"
# Configured every time, so that an older build-asan gets the current options.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTOREL_SANITIZE=ON -DVANTOREL_CORE_ONLY=OFF \
  -DVANTOREL_NO_GUI=ON >/dev/null || exit 1
cmake --build build-asan || exit 1
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions="$PWD/tests/lsan_suppressions.txt":print_suppressions=0 \
  ctest --test-dir build-asan --output-on-failure -j2 -L "unit|e2e" || status=1

exit $status
