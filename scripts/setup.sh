#!/usr/bin/env bash
# Installs the Debian packages the project needs, only when some are missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev
    qt6-multimedia-dev libcanberra-dev sound-theme-freedesktop xdg-utils x11-xserver-utils
    libqt6svg6 adwaita-icon-theme hicolor-icon-theme
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth dbus dbus-x11 python3-dbusmock faketime trayer xdotool openbox x11-utils
    fonts-ipafont-gothic desktop-file-utils
    dpkg-dev file appstream
    openbsd-inetd util-linux
)
# Extra packages named by the caller (for example by test.sh).
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -eq 0 ]; then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
