#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the main build under ctest, the
# loader start-up tests again under ThreadSanitizer, and libGravik's tests under ASan and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc 2>/dev/null || echo 2)

cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

# ThreadSanitizer: start-up with all loaders, a reader waiting on the tabular state, and the
# loader's stop and failure paths.
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs" --target test_startup test_tabular_loader
export TSAN_OPTIONS="halt_on_error=1 exitcode=66"
build-tsan/tests/test_startup --gtest_brief=1
build-tsan/tests/test_tabular_loader --gtest_brief=1
echo "ThreadSanitizer: 2 passed, 0 failed"

# AddressSanitizer and UndefinedBehaviorSanitizer over libGravik's own tests.
cmake --preset gravik-asan >/dev/null
cmake --build --preset gravik-asan -j "$jobs"
ASAN_OPTIONS="detect_leaks=1" UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1" \
  ctest --preset gravik-asan -j "$jobs"
