#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the main build under ctest, the
# loader and message tests again under ThreadSanitizer, and libGravik's tests under ASan and UBSan;
# TABULON_FULL_CHECKS=1 puts the whole suite under ASan and UBSan and runs every fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each stage says how long it took, so that the time of the whole run can be kept in view.
stage_start=$SECONDS
stage_done() { echo "== $1: $((SECONDS - stage_start)) s (total $SECONDS s)"; stage_start=$SECONDS; }

bash scripts/setup.sh
jobs=$(nproc 2>/dev/null || echo 2)
# Compiler results are shared between clones of the repository in other folders (CI builds a
# fresh clone): paths below the checkout are hashed as relative ones.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
stage_done "setup"

cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"
stage_done "build and tests"

# ThreadSanitizer: start-up with all loaders, a reader waiting on the tabular state, the
# loader's stop and failure paths, the search indexes built for two threads at once, and
# libGravik's threads, locks and logs.
cmake --preset tsan >/dev/null
tsan_tests=(tests/test_startup tests/test_tabular_loader tests/test_admin_keyword_files tests/test_find_job
            tests/test_search_indexes tests/test_loader_slots
            baselib/tests/gravik_thread_test
            baselib/tests/gravik_sync_test baselib/tests/gravik_ipcmutex_test baselib/tests/gravik_log_test)
cmake --build --preset tsan -j "$jobs" --target $(for t in "${tsan_tests[@]}"; do basename "$t"; done)
export TSAN_OPTIONS="halt_on_error=1 exitcode=66"
for t in "${tsan_tests[@]}"; do
  "build-tsan/$t" --gtest_brief=1
done
echo "ThreadSanitizer: ${#tsan_tests[@]} passed, 0 failed"
stage_done "ThreadSanitizer"

# AddressSanitizer and UndefinedBehaviorSanitizer. With TABULON_FULL_CHECKS=1: the whole suite,
# libGravik's tests included, built at -O1 without the benchmarks, and then every fuzz target for
# 20 s (the long runs are fuzz/run_fuzzers.sh and fuzz/run_gravik_fuzzers.sh with more seconds).
# Otherwise libGravik's own tests, which keeps the default run short.
export ASAN_OPTIONS="detect_leaks=1" UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1"
if [ "${TABULON_FULL_CHECKS:-0}" = 1 ]; then
  cmake --preset asan >/dev/null
  cmake --build --preset asan -j "$jobs"
  ctest --preset asan -j "$jobs"
  stage_done "AddressSanitizer and UndefinedBehaviorSanitizer"
  sh fuzz/run_gravik_fuzzers.sh 20
  sh fuzz/run_fuzzers.sh 20
  stage_done "fuzz smoke"
else
  cmake --preset gravik-asan >/dev/null
  cmake --build --preset gravik-asan -j "$jobs"
  ctest --preset gravik-asan -j "$jobs"
  stage_done "AddressSanitizer and UndefinedBehaviorSanitizer (libGravik)"
fi
