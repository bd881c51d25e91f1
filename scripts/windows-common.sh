# Shared by the Windows scripts (sourced, not run): the cross-build in
# build-windows/ against the cached Qt for Windows, the libraries beside the
# programs, and a Wine prefix of its own inside the build folder.
ROOT=$(pwd)
WINBUILD="$ROOT/build-windows"
MINGW=x86_64-w64-mingw32

windows_packages() {
    QUELLIX_EXTRA_PACKAGES="g++-mingw-w64-x86-64-posix wine wine64 nsis zip xvfb xauth $QUELLIX_EXTRA_PACKAGES" \
        ./scripts/install-deps.sh
}

# Builds (or finds) Qt for Windows; sets QT_PREFIX.
windows_qt() {
    QT_PREFIX=$(./scripts/windows-qt.sh | tail -n 1)
    [ -f "$QT_PREFIX/.complete" ] || { echo "Qt for Windows is not complete in $QT_PREFIX" >&2; exit 1; }
}

# The Linux programs the Windows run works with: the panel simulator, whose
# harness plays the panels of the communication tests behind Wine COM ports,
# and the tools whose output the Windows build's must equal.
LINUX="$ROOT/build/src/app"
windows_linux_tools() {
    [ -f build/CMakeCache.txt ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build build -j2 --target quellix make-example quellix-panel-sim
}

windows_build() {
    cmake -S . -B "$WINBUILD" -G Ninja \
        -DQUELLIX_PANEL_HARNESS_PROGRAM="$LINUX/panel-sim/quellix-panel-sim" \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DQUELLIX_WINDOWS_QT_PREFIX="$QT_PREFIX" -DCMAKE_PREFIX_PATH="$QT_PREFIX" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
        -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    nice -n 10 cmake --build "$WINBUILD" -j2
}

# The MinGW runtime and Qt's libraries and plugins beside every program, as
# Windows looks for them in the program's own folder.
windows_runtime() {
    for dir in $(find "$WINBUILD" -name '*.exe' -not -path '*/CMakeFiles/*' -not -path '*/_CPack_Packages/*' \
                     -not -path '*/wine/*' -exec dirname {} \; | sort -u); do
        for dll in libstdc++-6.dll libgcc_s_seh-1.dll; do
            cp -u "$($MINGW-g++-posix -print-file-name=$dll)" "$dir/"
        done
        cp -u /usr/$MINGW/lib/libwinpthread-1.dll "$dir/"
        for lib in Core Gui Widgets Test; do
            cp -u "$QT_PREFIX/bin/Qt6$lib.dll" "$dir/"
        done
        for plugins in platforms imageformats styles; do
            if [ -d "$QT_PREFIX/plugins/$plugins" ]; then
                mkdir -p "$dir/$plugins"
                cp -u "$QT_PREFIX/plugins/$plugins"/*.dll "$dir/$plugins/"
            fi
        done
    done
}

# A Wine prefix of the build's own, made once; no dialogs, no downloads.
windows_wine() {
    export WINEPREFIX="$WINBUILD/wine"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
}
