#!/bin/sh
# transcript.sh NODE SIM_JS BASE: runs BASE.sim through the driver
# built to WebAssembly; standard output must equal BASE.out byte for byte,
# and where BASE.err exists the run must fail with status 2 printing it.
set -u
node=$1 sim=$2 base=$3
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
# Node 20's own fetch makes emscripten's loader take the browser's path.
"$node" --no-experimental-fetch "$sim" "$base.sim" >"$work/out" 2>"$work/err"
status=$?
failed=0
if ! cmp -s "$work/out" "$base.out"; then
    echo "standard output differs from $base.out:"
    diff "$base.out" "$work/out" | head -20
    failed=1
fi
if [ -f "$base.err" ]; then
    [ "$status" -eq 2 ] || { echo "status $status, expected 2"; failed=1; }
    cmp -s "$work/err" "$base.err" || {
        echo "standard error differs from $base.err:"
        diff "$base.err" "$work/err" | head -20
        failed=1
    }
elif [ "$status" -ne 0 ]; then
    echo "status $status, expected 0:"
    cat "$work/err"
    failed=1
fi
exit $failed
