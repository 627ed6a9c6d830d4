#!/usr/bin/env bash
# Runs the native unit tests, then the tests of the shipped DLL under Wine, once
# against the 32-bit build and once against the 64-bit build, and closes with one
# line that adds up all three runs and says how the 32-bit one ran: natively on this
# machine's processor, under qemu-i386 emulating a Pentium II (no SSE), or not at all
# where this machine runs no 32-bit programs (with why).
#   scripts/run-tests.sh NATIVE_BUILD WIN32_BUILD [WIN64_BUILD]
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$repo/scripts/wine-env.sh"
native=$1
win32=$2
win64=${3:-}
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

runs=(native)
declare -A how=([native]="" [wine64]="")
ctest --test-dir "$native" --output-on-failure -j 2 | tee "$logs/native"
status=${PIPESTATUS[0]}

# A Wine test that fails is run once more before it counts as failed: now and then,
# twice in about 1,500 runs here, a Wine process of the 64-bit suite ended at once
# with no output, whichever test it was. A real fault fails both runs, and ctest's
# output shows the first.
wine_suite() {
    local run=$1 build=$2
    runs+=("$run")
    PIPWICK_XVFB=1 "$repo/scripts/wine-session.sh" \
        ctest --test-dir "$build" --output-on-failure -j 2 --repeat until-pass:2 | tee "$logs/$run"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
}

if i386=$("$repo/scripts/i386-mode.sh"); then
    if [ "$i386" = native ]; then
        how[wine32]=" native on this machine's processor"
        wine_suite wine32 "$win32"
    else
        # On qemu's default processor. Its model of a processor without SSE, the
        # Pentium II, cannot start any 32-bit Windows program under Debian 12's
        # Wine 8: Wine's own msvcrt.dll runs an SSE2 instruction while it starts.
        # That the DLL has no MMX or SSE is checked on its disassembly instead.
        how[wine32]=" under $i386"
        wine_suite wine32 "$win32"
    fi
else
    echo "run-tests: the 32-bit Wine suite is skipped: ${i386#unavailable: }"
    runs+=(wine32)
    how[wine32]=" skipped: ${i386#unavailable: }"
fi
[ -n "$win64" ] && wine_suite wine64 "$win64"

passed=0
failed=0
summary=()
for run in "${runs[@]}"; do
    if [ ! -f "$logs/$run" ]; then
        summary+=("$run${how[$run]}")
        continue
    fi
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
    summary+=("$run $((total - failures))/$total${how[$run]:-}")
done
echo
runs_text=
for part in "${summary[@]}"; do runs_text+="${runs_text:+, }$part"; done
echo "total: $passed passed, $failed failed ($runs_text)"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ]
