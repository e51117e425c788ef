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

# ThreadSanitizer: start-up with all loaders, a reader waiting on the tabular state, the
# loader's stop and failure paths, and libGravik's threads, locks and logs.
cmake --preset tsan >/dev/null
tsan_tests=(tests/test_startup tests/test_tabular_loader tests/test_find_job baselib/tests/gravik_thread_test
            baselib/tests/gravik_sync_test baselib/tests/gravik_ipcmutex_test baselib/tests/gravik_log_test)
cmake --build --preset tsan -j "$jobs" --target $(for t in "${tsan_tests[@]}"; do basename "$t"; done)
export TSAN_OPTIONS="halt_on_error=1 exitcode=66"
for t in "${tsan_tests[@]}"; do
  "build-tsan/$t" --gtest_brief=1
done
echo "ThreadSanitizer: ${#tsan_tests[@]} passed, 0 failed"

# AddressSanitizer and UndefinedBehaviorSanitizer over libGravik's own tests.
cmake --preset gravik-asan >/dev/null
cmake --build --preset gravik-asan -j "$jobs"
ASAN_OPTIONS="detect_leaks=1" UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1" \
  ctest --preset gravik-asan -j "$jobs"
