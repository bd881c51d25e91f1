#!/bin/sh
# Makes the pictures of the user guide (docs/guide/images) with the editor
# itself, from examples/Demo.QXC, in the build folder `build` (or $1).
# Run it after a change that shows in the windows, then commit the pictures.
set -e
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target guide-pictures
