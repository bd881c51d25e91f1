#!/bin/sh
# Cross-builds the project for 64-bit Windows into build-windows/ (MinGW-w64
# and the Qt of scripts/windows-qt.sh, which builds it the first time: about
# 40 to 60 minutes of two cores) and runs the test suite under Wine on Qt's
# offscreen platform; the communication tests download to panels that the
# Linux simulator's harness plays behind Wine COM ports. Then compares what
# the Windows programs make (project files, pictures, card images, download
# streams) with the Linux build's in build/ (scripts/compare-windows.sh), and
# takes the picture of the editor under Wine that README shows
# (docs/editor-windows.png).
set -e
cd "$(dirname "$0")/.."
. ./scripts/windows-common.sh
windows_packages
windows_qt
windows_linux_tools
windows_build
windows_runtime
windows_wine

echo "Skipped on Windows: the udisks2 tests (a Linux service)."
(cd "$WINBUILD" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)

./scripts/compare-windows.sh

# README's picture of the editor on Windows: Wine's own window system on a
# virtual X display.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=windows \
    wine "$WINBUILD/src/app/editor-screenshot/editor-screenshot.exe" examples/Demo.QXC docs/editor-windows.png 1
