#!/usr/bin/env bash
# Runs the native unit tests, then the tests of the shipped DLL under Wine, once
# against the 32-bit build and once against the 64-bit build, and closes with one
# line that adds up all three runs.
#   scripts/run-tests.sh NATIVE_BUILD WIN32_BUILD [WIN64_BUILD]
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native=$1
win32=$2
win64=${3:-}
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

runs=(native wine32)
ctest --test-dir "$native" --output-on-failure -j 2 | tee "$logs/native"
status=${PIPESTATUS[0]}
PIPWICK_XVFB=1 "$repo/scripts/wine-session.sh" \
    ctest --test-dir "$win32" --output-on-failure -j 2 --timeout 300 | tee "$logs/wine32"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
if [ -n "$win64" ]; then
    runs+=(wine64)
    PIPWICK_XVFB=1 "$repo/scripts/wine-session.sh" \
        ctest --test-dir "$win64" --output-on-failure -j 2 --timeout 300 | tee "$logs/wine64"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
fi

passed=0
failed=0
summary=()
for run in "${runs[@]}"; do
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$logs/$run" | tail -n 1)
    if [ -z "$line" ]; then
        echo "run-tests: no summary in the $run run"
        failed=$((failed + 1))
        summary+=("$run: no summary")
        continue
    fi
    failures=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + total - failures))
    failed=$((failed + failures))
    summary+=("$run $((total - failures))/$total")
done
echo
echo "total: $passed passed, $failed failed ($(IFS=,; echo "${summary[*]}" | sed 's/,/, /g'))"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ]
