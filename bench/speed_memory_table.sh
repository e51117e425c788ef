#!/usr/bin/env bash
# Loading, memory and start-up figures of Tabulon next to their references, measured in one run
# and printed as one table with the ratios, then the keyword search figures of
# bench_keyword_search.
#
#   bench/speed_memory_table.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR (default: build) must hold Tabulon, tabulon-cli, bench_all_loaders and
# bench_blank_window built on the official data; RUNS (default 7) is the number of runs whose
# median gives each start-up figure. The windows run offscreen. Figures move with the load of
# the machine: read them as ratios within one run.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$repo/build}" && pwd)
runs=${2:-7}
data=$(sed -n 's/^TABULON_DATA_DIR:PATH=//p' "$build/CMakeCache.txt")
year=$(sed -n 's/.*<version>\([0-9]*\)<\/version>.*/\1/p' "$data"/icd10cm_tabular_*.xml | head -n 1)
xml=()
for stem in tabular index eindex drug neoplasm; do xml+=("$data/icd10cm_${stem}_${year}.xml"); done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export ProgramData=$scratch AppData=$scratch XDG_CACHE_HOME=$scratch/cache QT_QPA_PLATFORM=offscreen

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# Wall seconds of one whole process.
wall() { local t0 t1; t0=$(date +%s.%N); "$@" >/dev/null 2>&1; t1=$(date +%s.%N); echo "$t1 - $t0" | bc -l; }
ratio() { echo "scale=2; $1 / $2" | bc -l | sed 's/^\./0./'; }

echo "machine load before the run: $(cut -d' ' -f1-3 /proc/loadavg)" >&2

# Loading: all six loaders to their final states, and xmllint over the five XML files.
loaders=$("$build/bench/bench_all_loaders" --benchmark_min_time=2 2>/dev/null)
load_ms=$(awk '/BM_AllLoadersUntilFinal/ { print $2 }' <<<"$loaders")
xmllint_ms=$(awk '/BM_XmllintFiveXmlFiles/ { print $2 }' <<<"$loaders")

# The find index the program opens at start is built into the cache first, so that the program
# figures below show a usual start (the index read from the cache), not the one-off build.
"$build/program/cli/tabulon-cli" find fracture >/dev/null 2>&1 || true

# Memory: xmllint's peak while it holds the documents; Tabulon idle at its main window once
# every data set has loaded (resident now, and the peak of the whole start).
xmllint_peak_kb=$(/usr/bin/time -f %M xmllint --noout "${xml[@]}" 2>&1 >/dev/null | tail -n 1)
"$build/program/Tabulon" --quit-after 6000 >/dev/null 2>&1 &
pid=$!
sleep 4
rss_kb=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
hwm_kb=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
wait "$pid" || true
cli_peak_kb=$(/usr/bin/time -f %M "$build/program/cli/tabulon-cli" info 2>&1 >/dev/null | tail -n 1)

# Start-up: the whole process of Tabulon showing its main window and closing it, against a
# blank window of the same size.
start=() blank=()
for _ in $(seq "$runs"); do
    start+=("$(wall "$build/program/Tabulon" --quit-after 0)")
    blank+=("$(wall "$build/bench/bench_blank_window")")
done
start_s=$(printf '%s\n' "${start[@]}" | median)
blank_s=$(printf '%s\n' "${blank[@]}" | median)

mib() { echo "scale=1; $1 / 1024" | bc -l; }
printf '%-52s %12s %28s %12s %8s\n' figure value reference "ref value" ratio
printf '%-52s %12s %28s %12s %8s\n' "all loaders to final states (ms)" "$load_ms" "xmllint --noout, 5 XML" "$xmllint_ms" "$(ratio "$load_ms" "$xmllint_ms")"
printf '%-52s %12s %28s %12s %8s\n' "resident, idle at main window, all loaded (MiB)" "$(mib "$rss_kb")" "target" "100" "$(ratio "$(mib "$rss_kb")" 100)"
printf '%-52s %12s %28s %12s %8s\n' "peak resident of the program start (MiB)" "$(mib "$hwm_kb")" "xmllint peak, 5 XML" "$(mib "$xmllint_peak_kb")" "$(ratio "$hwm_kb" "$xmllint_peak_kb")"
printf '%-52s %12s %28s %12s %8s\n' "peak resident of tabulon-cli info (MiB)" "$(mib "$cli_peak_kb")" "xmllint peak, 5 XML" "$(mib "$xmllint_peak_kb")" "$(ratio "$cli_peak_kb" "$xmllint_peak_kb")"
printf '%-52s %12s %28s %12s %8s\n' "start to main window shown, median of $runs (s)" "$start_s" "blank window, same size" "$blank_s" "$(ratio "$start_s" "$blank_s")"

if [[ -x "$build/bench/bench_keyword_search" ]]; then
    echo
    echo "keyword and full-text search (bench_keyword_search):"
    "$build/bench/bench_keyword_search" 2>/dev/null | grep -E '^(BM_|-|Benchmark|[A-Za-z].*ratio)' || true
fi
