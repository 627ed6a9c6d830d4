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

# ctest's closing line of a run, and the numbers in it.
summary_of() {
    grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1
}
failures_in() {
    sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/'
}
total_in() {
    sed -E 's/.* failed out of ([0-9]+).*/\1/'
}

# A Wine test that fails runs once more before it counts as failed: now and then,
# about once in a thousand runs, a Wine process of the suite has ended at once with
# no output, whichever test it was: Wine's loader could not map the shared user data
# page at its fixed address (c0000018) as the process started. A real fault fails
# both runs. The retry is never hidden: the first run's output stays in the log above
# the second's, and the last line counts the tests that passed only on their second
# run.
wine_suite() {
    local run=$1 build=$2 failures
    runs+=("$run")
    PIPWICK_XVFB=1 "$repo/scripts/wine-session.sh" \
        ctest --test-dir "$build" --output-on-failure -j 2 | tee "$logs/$run"
    [ "${PIPESTATUS[0]}" -eq 0 ] && return 0
    failures=$(summary_of "$logs/$run" | failures_in)
    if [ -z "$failures" ] || [ "$failures" -eq 0 ]; then
        status=1
        return 0
    fi
    echo "run-tests: running the $failures failed $run test(s) once more; their first run is above"
    PIPWICK_XVFB=1 "$repo/scripts/wine-session.sh" \
        ctest --test-dir "$build" --rerun-failed --output-on-failure | tee "$logs/$run.second"
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
    line=$(summary_of "$logs/$run")
    if [ -z "$line" ]; then
        echo "run-tests: no summary in the $run run"
        failed=$((failed + 1))
        summary+=("$run: no summary")
        continue
    fi
    failures=$(failures_in <<<"$line")
    total=$(total_in <<<"$line")
    second=""
    if [ -f "$logs/$run.second" ]; then
        line=$(summary_of "$logs/$run.second")
        passed_second=0
        [ -n "$line" ] && passed_second=$(($(total_in <<<"$line") - $(failures_in <<<"$line")))
        failures=$((failures - passed_second))
        [ "$passed_second" -gt 0 ] && second=" ($passed_second passed on a second run)"
    fi
    passed=$((passed + total - failures))
    failed=$((failed + failures))
    summary+=("$run $((total - failures))/$total$second${how[$run]:-}")
done
echo
runs_text=
for part in "${summary[@]}"; do runs_text+="${runs_text:+, }$part"; done
echo "total: $passed passed, $failed failed ($runs_text)"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ]
