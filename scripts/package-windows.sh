#!/bin/sh
# Makes the Windows installer (NSIS) and the portable zip in build-windows/:
# the three programs, the Qt libraries and plugins, MinGW's runtime, a
# Start-menu entry and the project and screen file types. Cross-builds first
# (scripts/windows-qt.sh builds Qt for Windows once, 40 to 60 minutes).
set -e
cd "$(dirname "$0")/.."
. ./scripts/windows-common.sh
windows_packages
windows_qt
windows_build
cd "$WINBUILD"
cpack -G "NSIS;ZIP"
ls -l "$WINBUILD"/quellix-touch-*-windows-x64.*
