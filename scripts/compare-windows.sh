#!/bin/sh
# Compares what the Windows build (build-windows/, run under Wine) and the
# Linux build (build/) make of the demonstration project and of random
# projects: the project files themselves, the rendered pictures, the card
# images and the download streams a simulated panel receives. Any difference
# fails. Run by run-tests-windows.sh; needs both builds.
set -e
cd "$(dirname "$0")/.."
. ./scripts/windows-common.sh
windows_wine
windows_linux_tools
WINDOWS="$WINBUILD/src/app"
WORK=$(mktemp -d)
SIM=""
trap '[ -n "$SIM" ] && kill $SIM 2>/dev/null; rm -rf "$WORK"' EXIT
mkdir -p "$WORK/linux" "$WORK/windows"
failed=0
same() {
    if { [ -d "$1" ] && diff -r -q "$1" "$2" >/dev/null 2>&1; } || { [ -f "$1" ] && cmp -s "$1" "$2"; }; then
        echo "same: $3"
    else
        echo "DIFFERENT: $3" >&2
        failed=1
    fi
}
linux() { QT_QPA_PLATFORM=offscreen QUELLIX_HOME="$WORK/linux/home" "$LINUX/$@"; }
windows() { QT_QPA_PLATFORM=offscreen QUELLIX_HOME="$WORK/windows/home" wine "$WINDOWS/$@"; }

# Project files, made by each build from the same accessor calls.
linux make-example/make-example "$WORK/linux/Demo.QXC"
windows make-example/make-example.exe "$WORK/windows/Demo.QXC"
same "$WORK/linux/Demo.QXC" "$WORK/windows/Demo.QXC" "Demo.QXC as saved"
projects="Demo"
for seed in 1 2 3; do
    linux make-example/make-example --random $seed "$WORK/linux/random$seed.QXC"
    windows make-example/make-example.exe --random $seed "$WORK/windows/random$seed.QXC"
    same "$WORK/linux/random$seed.QXC" "$WORK/windows/random$seed.QXC" "random project $seed as saved"
    projects="$projects random$seed"
done

# Pictures and card images, from the Linux build's project files on both.
for p in $projects; do
    project="$WORK/linux/$p.QXC"
    linux quellix render "$project" --out "$WORK/linux/render-$p" >/dev/null
    windows quellix.exe render "$project" --out "$WORK/windows/render-$p" >/dev/null
    same "$WORK/linux/render-$p" "$WORK/windows/render-$p" "pictures of $p"
    linux quellix sd-image "$project" --out "$WORK/linux/$p.img" >/dev/null
    windows quellix.exe sd-image "$project" --out "$WORK/windows/$p.img" >/dev/null
    same "$WORK/linux/$p.img" "$WORK/windows/$p.img" "card image of $p"
done

# Download streams: a simulated panel on a pseudo-terminal each; Wine's port
# mapping makes the Windows program's COM5 that terminal.
# Starts a simulated panel saving what it receives to $1; sets SIM and LINE.
simulate() {
    rm -f "$WORK/sim.out"
    "$LINUX/panel-sim/quellix-panel-sim" --once --save "$1" >"$WORK/sim.out" &
    SIM=$!
    for _ in $(seq 50); do [ -s "$WORK/sim.out" ] && break; sleep 0.1; done
    LINE=$(head -n 1 "$WORK/sim.out")
}
# After a download the panel saves what it received and ends by itself; after
# a refused one it still waits, and is stopped.
finish_simulation() {
    for _ in $(seq 50); do kill -0 $SIM 2>/dev/null || break; sleep 0.1; done
    kill $SIM 2>/dev/null || true
    wait $SIM 2>/dev/null || true
    SIM=""
}
for p in Demo random1; do
    project="$WORK/linux/$p.QXC"
    # A project the download refuses sends nothing: then the refusals are compared.
    simulate "$WORK/linux/$p.stream"
    code=0
    linux quellix download "$project" --port "$LINE" >/dev/null 2>&1 || code=$?
    echo "$code" >"$WORK/linux/$p.code"
    finish_simulation
    simulate "$WORK/windows/$p.stream"
    wine reg add 'HKLM\Software\Wine\Ports' /v COM5 /d "$LINE" /f >/dev/null 2>&1
    wineserver -k || true
    code=0
    QUELLIX_COM5='\\.\COM5' windows quellix.exe download "$project" --port COM5 >/dev/null 2>&1 || code=$?
    echo "$code" >"$WORK/windows/$p.code"
    finish_simulation
    same "$WORK/linux/$p.code" "$WORK/windows/$p.code" "download exit code of $p"
    touch "$WORK/linux/$p.stream" "$WORK/windows/$p.stream"
    same "$WORK/linux/$p.stream" "$WORK/windows/$p.stream" "download stream of $p"
done
exit $failed
