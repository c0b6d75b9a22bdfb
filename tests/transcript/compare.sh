#!/usr/bin/env bash
# Runs the press transcript natively and under node with the same presses
# and seed and diffs the two: any differing line fails.
#
# Usage: compare.sh NATIVE_BINARY WEB_JS [PRESSES [SEED]]
set -euo pipefail
native=$1 web=$2 presses=${3:-10000} seed=${4:-1}

if [[ ! -f $web ]]; then
    echo "press_transcript_web: $web is missing; build the web preset first:" >&2
    echo "  NODE_PATH=/usr/share/nodejs cmake --preset web && cmake --build --preset web" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run() {  # label, output, command...
    local label=$1 output=$2 start
    shift 2
    start=$(date +%s%N)
    "$@" "$presses" "$seed" >"$output"
    echo "$label: $(( ($(date +%s%N) - start) / 1000000 )) ms"
}
run native "$work/native.txt" "$native"
run node "$work/web.txt" node "$web"

tail -n 1 "$work/native.txt"
differing=$(diff "$work/native.txt" "$work/web.txt" | grep -c '^[<>]' || true)
echo "differing lines: $differing"
if (( differing > 0 )); then
    diff "$work/native.txt" "$work/web.txt" | head -n 40
    exit 1
fi
