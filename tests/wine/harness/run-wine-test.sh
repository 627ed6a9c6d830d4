#!/usr/bin/env bash
# Runs one Wine test program for ctest, its output passed through a file. The first
# Wine program of a session starts Wine's own background programs (services, the
# desktop), which inherit its standard streams and keep them open until the session
# ends; ctest, reading a pipe, would count that test as running until then.
#
# Wine's own error messages stay on (its err class), so that a test process that
# Wine ends before the program could say anything still leaves Wine's words; ctest
# shows them only for a test that failed. A program that ends with a failing status
# and no output at all is named as such, with its status.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
[ "${WINEDEBUG:--all}" = -all ] && export WINEDEBUG=-all,err+all
output=$(mktemp)
trap 'rm -f "$output"' EXIT
started=$SECONDS
"$repo/scripts/wine-run.sh" "$@" >"$output" 2>&1
status=$?
cat "$output"
if [ "$status" -ne 0 ] && [ ! -s "$output" ]; then
    echo "run-wine-test: $(basename "$1") ended after $((SECONDS - started)) s with status $status" \
         "and wrote nothing, not even Wine's error messages"
fi
exit "$status"
