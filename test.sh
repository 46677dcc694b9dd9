#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: every test in build/, then
# the core's unit tests again under AddressSanitizer and UBSan in build-asan/.
set -uo pipefail
cd "$(dirname "$0")"
scripts/setup.sh || exit 1

status=0
echo "== formatting (clang-format 14)"
scripts/check_format.sh || status=1

echo "== all tests (build/)"
ctest --test-dir build --output-on-failure -j2 || status=1

echo "== core unit tests with sanitizers (build-asan/)"
if [ ! -f build-asan/build.ninja ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTOREL_SANITIZE=ON -DVANTOREL_CORE_ONLY=ON || exit 1
fi
cmake --build build-asan --target core_unit_tests || exit 1
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j2 -L unit || status=1

exit $status
