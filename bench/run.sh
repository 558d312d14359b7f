#!/usr/bin/env bash
# Runs the benchmarks of a release build; numbers go to standard output.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DRIMO_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench --target rimo_bench rimo_daytime_bench
QT_QPA_PLATFORM=offscreen ./build-bench/bench/rimo_bench "$@"
./build-bench/bench/rimo_daytime_bench "$@"
