#!/bin/sh
# Builds the libGravik fuzz targets with clang-14 in their own build folder
# and runs each for a while (60 s by default), reporting its executions.
# Usage: fuzz/run_gravik_fuzzers.sh [SECONDS] [BUILD_DIR]
set -eu
secs=${1:-60}
src=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$src/build-fuzz}

CC=clang-14 CXX=clang++-14 cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABULON_BUILD_PROGRAM=OFF \
    -DTABULON_BUILD_TESTS=OFF -DTABULON_BUILD_BENCH=OFF -DGRAVIK_BUILD_FUZZERS=ON >/dev/null
cmake --build "$build" -j2 --target gravik_fuzz_base64 gravik_fuzz_crontab gravik_fuzz_search \
    gravik_fuzz_socket

seed() {  # name text...
    dir="$build/corpus/$1"
    shift
    mkdir -p "$dir"
    i=0
    for t in "$@"; do
        printf '%s' "$t" >"$dir/seed$i"
        i=$((i + 1))
    done
}
seed base64 "Zm9vYmFy" "TWE=" "Zm9v\r\nYmE=" "====" "QUJD*REVG"
seed crontab "* * * * * * *" "2024 3,1-2 15,1 * 8 0 0" "* * * 1-5 22 0 0 | 4:0:0" \
    "5-3 * * * * * *" "* * 13 5 * * * | 0:30:0"
seed search "$(printf '\005\001hello world')" "$(printf '\003\000abcabcabd')"
# Binary seeds (zero bytes included) are written by printf from formats.
seed_formats() {  # name format...
    dir="$build/corpus/$1"
    shift
    mkdir -p "$dir"
    i=0
    for f in "$@"; do
        printf "$f" >"$dir/seed$i"
        i=$((i + 1))
    done
}
# socket: mode, buffer size - 1, terminator length - 1, earlier-byte count, terminator, stream
seed_formats socket '\001\077\000\000X\000\000\000\005hello\000\000\000\002hi' \
    '\006\077\000\000X\000\000\000\011hello\000\000\000\006hi' \
    '\004\037\001\002\r\nab\r\nline one\r\nline two' \
    '\010\017\002\003ENDxENxyzEND'

status=0
for name in base64 crontab search socket; do
    bin=$(find "$build" -name "gravik_fuzz_$name" -type f | head -n 1)
    log="$build/fuzz_$name.log"
    mkdir -p "$build/artifacts/$name"
    if "$bin" -max_total_time="$secs" -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$name/" "$build/corpus/$name" >"$log" 2>&1; then
        result="no finding"
    else
        result="FINDING (see $log and $build/artifacts/$name)"
        status=1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    echo "gravik_fuzz_$name: ${runs:-?} executions in ${secs} s, $result"
done
exit $status
