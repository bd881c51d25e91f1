#!/bin/sh
# Builds everything (installing what is missing), runs every fuzz target for a
# short time (scripts/run-fuzz.sh), checks the desktop integration files and
# what is installed, and runs the whole test suite.
# --sanitize builds with the address and undefined-behaviour sanitizers (and
# leaves the fuzz targets out).
set -e
cd "$(dirname "$0")/.."
BUILD=build SANITIZE=OFF
if [ "$1" = "--sanitize" ]; then
    BUILD=build-sanitize SANITIZE=ON
fi
./scripts/install-deps.sh
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=$SANITIZE >/dev/null
cmake --build "$BUILD" -j2
# A finding stops the suite; its input is kept in build-fuzz/.
if [ "$SANITIZE" = OFF ]; then ./scripts/run-fuzz.sh; fi
./scripts/check-install.sh "$BUILD"
cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
