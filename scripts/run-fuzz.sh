#!/bin/sh
# Builds the fuzz targets with clang (address and undefined-behaviour
# sanitizers) and runs each one for a short time on a copy of its seeds, so
# that a reader that crashes, hangs or breaks its checks on odd input is
# caught. QUELLIX_FUZZ_SECONDS sets the time per target (default 20; 0 skips).
set -e
cd "$(dirname "$0")/.."
SECONDS_EACH=${QUELLIX_FUZZ_SECONDS:-20}
[ "$SECONDS_EACH" = 0 ] && exit 0
if ! command -v clang++ >/dev/null 2>&1; then
    echo "run-fuzz: clang++ is not installed; fuzzing skipped"
    exit 0
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUELLIX_FUZZ=ON -DSANITIZE=ON -DQUELLIX_TESTS=OFF >/dev/null
cmake --build build-fuzz -j2 --target fuzz_all
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failed=""
for seeds in fuzz/seeds/*/; do
    name=$(basename "$seeds")
    program=build-fuzz/fuzz/fuzz_$name
    [ -x "$program" ] || continue
    mkdir -p "$WORK/$name"
    cp "$seeds"* "$WORK/$name/"
    # Project and screen files are larger than libFuzzer's default limit.
    case $name in files | project) max_len=100000 ;; *) max_len=8192 ;; esac
    echo "run-fuzz: $name for $SECONDS_EACH s"
    if ! QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp" "$program" -max_total_time="$SECONDS_EACH" -max_len=$max_len -timeout=10 \
        -rss_limit_mb=4096 -artifact_prefix="$WORK/$name-" -print_final_stats=0 "$WORK/$name" \
        >"$WORK/$name.log" 2>&1; then
        tail -n 40 "$WORK/$name.log"
        for crash in "$WORK/$name"-*; do
            [ -e "$crash" ] && cp "$crash" build-fuzz/ && echo "run-fuzz: input kept as build-fuzz/$(basename "$crash")"
        done
        failed="$failed $name"
    fi
done
if [ -n "$failed" ]; then
    echo "run-fuzz: failed:$failed"
    exit 1
fi
echo "run-fuzz: every target ran $SECONDS_EACH s without a finding"
