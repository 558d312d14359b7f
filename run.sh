#!/usr/bin/env bash
# Installs what is missing, builds, and starts RimoTimeInformation.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh qt6-wayland
./scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
./scripts/move-build-files.sh build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: RimoTimeInformation runs without a window (Qt offscreen platform)."
    echo "Schedules still run; end it with Ctrl+C (its files are written on the way out)."
    export QT_QPA_PLATFORM=offscreen
fi
exec ./build/rimotime
