#!/bin/sh
# Builds the program's fuzz targets with clang-14 in their own build folder and runs each for a
# while (60 s by default), one after the other, reporting executions, corpus size and findings.
# The corpus of each target starts from its hand-written seeds (fuzz/program/corpus) and the
# sample data set, and grows in BUILD_DIR/corpus between runs.
# Usage: fuzz/run_fuzzers.sh [SECONDS] [BUILD_DIR] [TARGET...]   (targets: tabular index ...)
set -eu
secs=${1:-60}
src=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$src/build-fuzz-program}
[ $# -gt 2 ] && shift 2 || set --
all="tabular index keywords shortdesc orderfile account history settings codetext check edition"
targets=${*:-$all}
here=$src/fuzz/program
sample=$src/program/resources/sample

CC=clang-14 CXX=clang++-14 cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABULON_BUILD_TESTS=OFF -DTABULON_BUILD_BENCH=OFF \
    -DTABULON_BUILD_FUZZERS=ON >/dev/null
build_targets=""
for name in $targets; do build_targets="$build_targets tabulon_fuzz_$name"; done
# shellcheck disable=SC2086
cmake --build "$build" -j2 --target $build_targets

# Seeds: the hand-written ones, and the sample data set's files where a target reads that kind.
seed_file() {  # name prefix-byte-format file
    printf "$2" | cat - "$3" >"$build/corpus/$1/sample_$(basename "$3")"
}
for name in $targets; do
    mkdir -p "$build/corpus/$name"
    cp "$here/corpus/$name/"* "$build/corpus/$name/"
done
for name in $targets; do
    case $name in
    tabular) seed_file tabular '' "$sample/tabular.xml" ;;
    index)
        seed_file index '\000' "$sample/index.xml"
        seed_file index '\001' "$sample/eindex.xml"
        seed_file index '\002' "$sample/drug.xml"
        seed_file index '\003' "$sample/neoplasm.xml" ;;
    orderfile) seed_file orderfile '' "$sample/order.txt" ;;
    keywords) seed_file keywords '\005' "$src/program/resources/IrregularPlurals.txt" ;;
    esac
done

status=0
for name in $targets; do
    bin="$build/fuzz/program/tabulon_fuzz_$name"
    log="$build/fuzz_$name.log"
    dict=""
    case $name in
    tabular) dict="-dict=$here/tabular.dict" ;;
    index) dict="-dict=$here/index.dict" ;;
    settings) dict="-dict=$here/settings.dict" ;;
    edition) dict="-dict=$here/edition.dict" ;;
    esac
    mkdir -p "$build/artifacts/$name"
    start=$(date +%s)
    # A slow input is reported after 120 s: on a busy shared machine a shorter limit trips on
    # inputs that take a fraction of a second alone.
    # shellcheck disable=SC2086
    if "$bin" -max_total_time="$secs" -print_final_stats=1 -timeout=120 -rss_limit_mb=2048 $dict \
        -artifact_prefix="$build/artifacts/$name/" "$build/corpus/$name" >"$log" 2>&1; then
        result="no finding"
    else
        result="FINDING (see $log and $build/artifacts/$name)"
        status=1
    fi
    took=$(($(date +%s) - start))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    size=$(find "$build/corpus/$name" -type f | wc -l)
    echo "tabulon_fuzz_$name: ${runs:-?} executions in $took s, corpus $size, $result"
done
exit $status
