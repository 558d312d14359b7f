#!/usr/bin/env bash
# Configures (once) and builds one build folder: build.sh <folder> [cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
folder=$1
shift
if [ ! -f "$folder/build.ninja" ]; then
    cmake -S . -B "$folder" -G Ninja "$@"
fi
cmake --build "$folder"
