#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build,
# the build with AddressSanitizer and UndefinedBehaviorSanitizer, and bounded
# runs of the fuzz targets.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh
jobs=$(nproc)

# Real daytime servers (127.0.0.1:13, and 127.0.0.2:13 on Japan time) for the
# end-to-end synchronisation tests.
if ! ./scripts/daytime-server.sh; then
    echo "warning: a daytime server did not start; the end-to-end synchronisation tests will be skipped"
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

echo "== fuzzing (bounded)"
CC=clang CXX=clang++ ./scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRIMO_FUZZ=ON
for target in build-fuzz/fuzz/fuzz_*; do
    name=$(basename "$target")
    corpus=fuzz/corpus/${name#fuzz_}
    work=$(mktemp -d)
    [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
    "$target" -runs=20000 -max_len=65536 -timeout=10 "$work" 2>&1 | tail -n 2
    rm -rf "$work"
done

echo "== all tests passed"
