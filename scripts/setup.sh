#!/usr/bin/env bash
# Installs the Debian packages the project needs, only when some are missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-base-private-dev libgl-dev libxcb1-dev
    libqt6sql6-sqlite
    qt6-multimedia-dev libcanberra-dev sound-theme-freedesktop xdg-utils x11-xserver-utils
    libqt6svg6 adwaita-icon-theme hicolor-icon-theme
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth dbus dbus-x11 python3-dbusmock faketime trayer xdotool openbox x11-utils
    weston mutter sway qt6-wayland
    fonts-ipafont-gothic desktop-file-utils
    dpkg-dev file appstream
    openbsd-inetd util-linux
    at-spi2-core python3-pyatspi
    # What Debian's chronyd (unpacked below) links.
    libcap2 libedit2 libgnutls30 libnettle8 libseccomp2
)
# Extra packages named by the caller (for example by test.sh).
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Debian's chrony, the real NTP server of the tests, unpacked into a folder of
# its own rather than installed: the package would replace the system's time
# service (systemd-timesyncd; both provide time-daemon) and enable a chronyd
# that sets the clock. Its chronyd runs only under the tests, with -x (never
# adjusting the clock) and without CAP_SYS_TIME. An installed chrony is used
# as it is and never started or stopped here.
chrony_root=/opt/rimotime-test/chrony
if [ ! -x /usr/sbin/chronyd ] && [ ! -x "$chrony_root/usr/sbin/chronyd" ]; then
    echo "Unpacking Debian's chrony into $chrony_root (not installed as a service)"
    work=$(mktemp -d)
    download() { (cd "$work" && $sudo apt-get -qq -o APT::Sandbox::User=root download chrony); }
    if ! download; then
        $sudo apt-get update -qq
        download
    fi
    $sudo mkdir -p "$chrony_root"
    $sudo dpkg-deb -x "$work"/chrony_*.deb "$chrony_root"
    rm -rf "$work"
fi
