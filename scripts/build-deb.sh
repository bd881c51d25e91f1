#!/bin/sh
# Builds the Debian package quellix-touch_<version>_<arch>.deb in build-deb/
# (a release build; the library dependencies come from dpkg-shlibdeps).
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELLIX_TESTS=OFF >/dev/null
cmake --build build-deb -j2
cd build-deb
cpack -G DEB
