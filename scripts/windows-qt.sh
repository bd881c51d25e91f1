#!/bin/sh
# Builds Qt 6 (Core, Gui, Widgets, Test) for 64-bit Windows once, from Debian's
# own qtbase source with Debian's MinGW-w64, and keeps it outside the
# repository: $QUELLIX_WINDOWS_QT, default $HOME/.cache/quellix-windows-qt.
# The host Qt of the same version serves as the host tools. The first run takes
# about 40 to 60 minutes of two cores; later runs find the finished Qt and stop.
# Prints the install prefix on its last line.
set -e
cd "$(dirname "$0")/.."
ROOT=$(pwd)
CACHE=${QUELLIX_WINDOWS_QT:-$HOME/.cache/quellix-windows-qt}
PREFIX="$CACHE/qt6"
if [ -f "$PREFIX/.complete" ]; then
    echo "$PREFIX"
    exit 0
fi
QUELLIX_EXTRA_PACKAGES="g++-mingw-w64-x86-64-posix dpkg-dev $QUELLIX_EXTRA_PACKAGES" \
    ./scripts/install-deps.sh
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

mkdir -p "$CACHE"
cd "$CACHE"
if [ ! -d src ]; then
    # Debian's source for the host's own Qt version, from the suite the system uses.
    if ! apt-get source --print-uris qt6-base >/dev/null 2>&1 || \
       [ -z "$(apt-get source --print-uris qt6-base 2>/dev/null | grep dsc)" ]; then
        echo "Adding the source entries of the system's own suites"
        printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            | $SUDO tee /etc/apt/sources.list.d/quellix-deb-src.sources >/dev/null
        $SUDO apt-get update -qq
    fi
    rm -rf fetch && mkdir fetch && cd fetch
    apt-get source -qq qt6-base
    cd ..
    mv "$(find fetch -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)" src
    rm -rf fetch
fi

cmake -S src -B build -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_tabletevent=OFF \
    -DFEATURE_opengl_dynamic=ON \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_zstd=OFF \
    >configure.log 2>&1 || { tail -n 40 configure.log; exit 1; }
cmake --build build --parallel 2
cmake --install build >/dev/null
touch "$PREFIX/.complete"
echo "$PREFIX"
