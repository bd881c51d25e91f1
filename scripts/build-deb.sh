#!/bin/sh
# Builds the Debian package quellix-touch_<version>_<arch>.deb in build-deb/
# (a release build; the library dependencies come from dpkg-shlibdeps).
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
# Debian's hardening flags (fortified sources, stack protector, full RELRO,
# immediate binding), as dpkg-buildflags gives them for any package.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELLIX_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build build-deb -j2
cd build-deb
cpack -G DEB
