#!/usr/bin/env bash
# Builds the Debian package rimotime_<version>_<arch>.deb in build-package/,
# also on a fresh machine (installs what is missing first). Install it with
#   sudo apt install ./build-package/rimotime_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
./scripts/build.sh build-package -DCMAKE_BUILD_TYPE=Release -DRIMO_BUILD_TESTS=OFF \
    -DRIMO_BUILD_BENCH=OFF
rm -f build-package/*.deb
(cd build-package && cpack -G DEB)
ls "$PWD"/build-package/*.deb
