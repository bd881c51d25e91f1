#!/bin/sh
# Builds the editor (installing what is missing) and starts it.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target quellix-touch
exec ./build/src/app/quellix-touch "$@"
