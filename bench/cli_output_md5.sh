#!/usr/bin/env bash
# One md5 over a large tabulon-cli output: the four indexes dumped whole (text and JSON), the
# tree, the keywords, and `code --json` for a spread of codes. Two builds whose outputs must
# not differ (a change to how the model is held, say) print the same sum.
#
#   bench/cli_output_md5.sh [TABULON_CLI]   (default: build/program/cli/tabulon-cli)
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$repo/build/program/cli/tabulon-cli}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export ProgramData=$scratch AppData=$scratch XDG_CACHE_HOME=$scratch/cache

{
    for kind in disease external drug neoplasm; do
        "$cli" index --limit 0 --depth 99 "$kind" "" || true
        "$cli" index --limit 0 --depth 99 --json "$kind" "" || true
    done
    "$cli" tree || true
    "$cli" keywords --limit 0 "" || true
    for code in A00 A00.9 B20 C50.911 E11.9 F32.A I10 J45.909 M54.5 O09.891 S06.0X1A S72.001A \
                T36.0X1A V00.01XA W19.XXXA Z99.89 Z00.00 R51.9 H54.7 G30.1; do
        "$cli" code --limit 0 --json "$code" || true
    done
} > "$scratch/out.txt" 2>&1
echo "$(md5sum < "$scratch/out.txt" | cut -d' ' -f1)  $(stat -c %s "$scratch/out.txt") bytes"
