#!/usr/bin/env bash
# Runs every libFuzzer target of the "fuzz" preset, one at a time, and prints a line per
# target: executions, coverage edges, crashes. Each run stops after RUNS executions or
# SECONDS seconds, whichever comes first; new inputs go to a working copy of the corpus
# (build/fuzz/work), crashes to build/fuzz/crashes.
#   scripts/fuzz.sh [RUNS [SECONDS [TARGET...]]]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-1000000}
seconds=${2:-180}
shift $(( $# > 2 ? 2 : $# ))
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
build=build/fuzz
mkdir -p $build/work $build/crashes $build/logs
printf '%-22s %12s %8s %8s %s\n' target executions edges crashes time
while read -r target max_len folders; do
    [ -n "$target" ] || continue
    if [ $# -gt 0 ] && [[ ! " $* " == *" ${target#fuzz_} "* ]]; then continue; fi
    work=$build/work/$target
    mkdir -p "$work"
    log=$build/logs/$target.log
    start=$(date +%s)
    status=0
    ASAN_OPTIONS=detect_leaks=0 $build/tests/fuzz/$target "$work" ${folders//,/ } \
        -runs="$runs" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=$build/crashes/$target- \
        >"$log" 2>&1 || status=$?
    execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
    edges=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || true)
    crashes=$(find $build/crashes -name "$target-*" | wc -l)
    printf '%-22s %12s %8s %8s %ss%s\n' "$target" "${execs:-?}" "${edges:-?}" "$crashes" \
        "$(( $(date +%s) - start ))" "$([ $status -ne 0 ] && echo " (exit $status, see $log)")"
done <$build/tests/fuzz/targets.txt
