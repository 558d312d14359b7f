#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build,
# the build with AddressSanitizer and UndefinedBehaviorSanitizer, and timed
# runs of the fuzz targets (FUZZ_SECONDS each, 30 unless set).
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh
jobs=$(nproc)

# Real daytime servers (127.0.0.1:13, 127.0.0.2:13 on Japan time, 127.0.0.3 to
# 127.0.0.7 in half-hour and 45-minute zones) for the end-to-end synchronisation tests.
if ! ./scripts/daytime-server.sh; then
    echo "warning: a daytime server did not start; the end-to-end synchronisation tests will be skipped"
fi

# Debian's chronyd, which the NTP tests start on loopback addresses of their
# own (never touching the clock); setup.sh unpacks it.
if [ ! -x /usr/sbin/chronyd ] && [ ! -x /opt/rimotime-test/chrony/usr/sbin/chronyd ]; then
    echo "warning: chronyd is missing; the tests against chrony will be skipped"
fi

echo "== build and tests"
./scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
./scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DRIMO_SANITIZE=ON -DRIMO_BUILD_BENCH=OFF
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== fuzzing (${FUZZ_SECONDS:=30} seconds a target)"
CC=clang CXX=clang++ ./scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRIMO_FUZZ=ON
artifacts=$PWD/build-fuzz/artifacts
mkdir -p "$artifacts"
fuzzlog=$(mktemp)
for target in build-fuzz/fuzz/fuzz_*; do
    name=$(basename "$target")
    corpus=fuzz/corpus/${name#fuzz_}
    work=$(mktemp -d)
    [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
    # Any sanitizer report fails the step: by the exit status (the fuzz build
    # stops at the first report), and by the log should a report not stop it.
    status=0
    # A fixed seed, so that a failure here can be run again; scripts/fuzz.sh
    # explores at random.
    "$target" -seed=1 -max_total_time="$FUZZ_SECONDS" -max_len=65536 -timeout=10 \
        -artifact_prefix="$artifacts/$name-" "$work" >"$fuzzlog" 2>&1 || status=$?
    rm -rf "$work"
    if [ "$status" -ne 0 ] ||
        grep -qE 'runtime error:|(ERROR|WARNING): [A-Za-z]+Sanitizer' "$fuzzlog"; then
        tail -n 60 "$fuzzlog"
        rm -f "$fuzzlog"
        echo "fuzz target $name failed (status $status); the input is in $artifacts"
        exit 1
    fi
    tail -n 2 "$fuzzlog"
done
rm -f "$fuzzlog"

echo "== all tests passed"
