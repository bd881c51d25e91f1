#!/bin/sh
# Installs the Debian packages the build needs, only when some are missing.
set -e
PACKAGES="cmake ninja-build g++ qt6-base-dev qt6-serialport-dev libgl-dev fonts-liberation2 poppler-utils"
# Desktop integration: icon rendering, the validators and the package build;
# dbus-daemon carries the private bus of the udisks2 test.
PACKAGES="$PACKAGES librsvg2-bin desktop-file-utils appstream shared-mime-info dpkg-dev dbus-daemon"
# clang and its runtimes build the fuzz targets that run-tests.sh runs briefly.
PACKAGES="$PACKAGES clang libclang-rt-14-dev"
[ -n "$QUELLIX_EXTRA_PACKAGES" ] && PACKAGES="$PACKAGES $QUELLIX_EXTRA_PACKAGES"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
