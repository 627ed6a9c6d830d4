#!/usr/bin/env bash
# Runs the native unit tests, then the tests of the shipped DLL under Wine, and
# closes with one line that adds up both runs.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native=$1
win32=$2
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

ctest --test-dir "$native" --output-on-failure -j 2 | tee "$logs/native"
native_rc=${PIPESTATUS[0]}
PIPWICK_XVFB=1 "$repo/scripts/wine-session.sh" \
    ctest --test-dir "$win32" --output-on-failure -j 2 --timeout 120 | tee "$logs/wine"
wine_rc=${PIPESTATUS[0]}

passed=0
failed=0
for log in "$logs/native" "$logs/wine"; do
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    failures=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    if [ -z "$line" ]; then
        echo "run-tests: no summary in $(basename "$log") run"
        failed=$((failed + 1))
        continue
    fi
    passed=$((passed + total - failures))
    failed=$((failed + failures))
done
echo
echo "total: $passed passed, $failed failed"
[ "$native_rc" -eq 0 ] && [ "$wine_rc" -eq 0 ] && [ "$failed" -eq 0 ]
