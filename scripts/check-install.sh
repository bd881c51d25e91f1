#!/bin/sh
# Checks the desktop integration: the desktop entry and the AppStream
# metainfo pass their validators, `cmake --install` into a staging folder
# puts exactly the files of dist/installed-files.txt, and the project type
# matches *.QXC in any case. Usage: check-install.sh BUILD-FOLDER
set -e
cd "$(dirname "$0")/.."
BUILD=${1:-build}
STAGE=$(mktemp -d)
trap 'rm -rf "$STAGE"' EXIT

desktop-file-validate dist/com.zav.QuellixTouch.desktop
appstreamcli validate --no-net --strict dist/com.zav.QuellixTouch.metainfo.xml >/dev/null

DESTDIR="$STAGE/root" cmake --install "$BUILD" --prefix /usr >/dev/null
(cd "$STAGE/root" && find . ! -type d | sed 's|^\.||' | LC_ALL=C sort) >"$STAGE/files"
if ! diff -u dist/installed-files.txt "$STAGE/files"; then
    echo "check-install: the installed files differ from dist/installed-files.txt" >&2
    exit 1
fi

# A glob without the case-sensitive flag matches any case.
update-mime-database "$STAGE/root/usr/share/mime" 2>/dev/null
grep -qx '50:application/x-quellix-project:\*\.qxc' "$STAGE/root/usr/share/mime/globs2"
grep -qx '50:application/x-quellix-screen:\*\.qxs' "$STAGE/root/usr/share/mime/globs2"

echo "check-install: desktop entry and metainfo valid, $(wc -l <"$STAGE/files") files installed as listed"
