#!/bin/sh
# Runs a test program with its panels played by the simulator's harness, and
# QUELLIX_PANEL_HARNESS naming the harness's control line. For a Windows
# program under Wine (--wine) the harness names its lines as COM ports in the
# device folder of Wine's prefix.
# Usage: with-harness.sh [--wine] SIMULATOR COMMAND...
wine=""
if [ "$1" = --wine ]; then
    wine=1
    shift
fi
sim=$1
shift
out=$(mktemp)
if [ -n "$wine" ]; then
    "$sim" --harness --com-links "${WINEPREFIX:-$HOME/.wine}/dosdevices" >"$out" &
else
    "$sim" --harness >"$out" &
fi
harness=$!
for _ in $(seq 100); do [ -s "$out" ] && break; sleep 0.1; done
QUELLIX_PANEL_HARNESS=$(head -n 1 "$out")
rm -f "$out"
if [ -z "$QUELLIX_PANEL_HARNESS" ]; then
    echo "The panel simulator's harness did not start: $sim" >&2
    kill $harness 2>/dev/null
    exit 1
fi
export QUELLIX_PANEL_HARNESS
status=0
"$@" || status=$?
kill $harness
if ! wait $harness; then
    echo "The panel simulator's harness failed" >&2
    status=1
fi
exit $status
