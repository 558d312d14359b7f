#!/usr/bin/env bash
# Long fuzzing campaigns: scripts/fuzz.sh [SECONDS]
# Runs every libFuzzer target of fuzz/ for SECONDS each (600 unless given)
# on its own corpus in build-fuzz/corpus/<target>, seeded from fuzz/corpus and
# kept, so that each campaign goes on from the last one. Prints one line per
# target: the inputs run, runs a second, the corpus size and the reports (a
# sanitizer report, crash, leak or time-out stops that target; the input
# that caused it is in build-fuzz/artifacts). Ends with status 1 when a
# target reported anything.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
case $seconds in
'' | *[!0-9]*)
    echo "usage: $0 [SECONDS]" >&2
    exit 2
    ;;
esac

./scripts/setup.sh
CC=clang CXX=clang++ ./scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRIMO_FUZZ=ON
artifacts=$PWD/build-fuzz/artifacts
logs=$PWD/build-fuzz/logs
mkdir -p "$artifacts" "$logs"

failed=0
for target in build-fuzz/fuzz/fuzz_*; do
    name=$(basename "$target")
    corpus=build-fuzz/corpus/$name
    mkdir -p "$corpus"
    seeds=fuzz/corpus/${name#fuzz_}
    [ -d "$seeds" ] && cp -rn "$seeds"/. "$corpus"/
    log=$logs/$name.log
    status=0
    "$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$artifacts/$name-" "$corpus" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
    reports=$(grep -cE 'runtime error:|(ERROR|WARNING): [A-Za-z]+Sanitizer|ERROR: libFuzzer' "$log" || true)
    if [ "$status" -ne 0 ] && [ "$reports" -eq 0 ]; then
        reports=1 # stopped without a report of its own (killed, out of memory)
    fi
    printf '%-22s runs %10s  %7s/s  corpus %6s  reports %s\n' "$name" "${runs:-?}" "${rate:-?}" \
        "$(find "$corpus" -type f | wc -l)" "$reports"
    if [ "$reports" -ne 0 ]; then
        failed=1
        echo "    see $log and the input in $artifacts"
    fi
done
exit "$failed"
