#!/usr/bin/env bash
# Runs one Wine test program for ctest, its output passed through a file. The first
# Wine program of a session starts Wine's own background programs (services, the
# desktop), which inherit its standard streams and keep them open until the session
# ends; ctest, reading a pipe, would count that test as running until then.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
output=$(mktemp)
trap 'rm -f "$output"' EXIT
"$repo/scripts/wine-run.sh" "$@" >"$output" 2>&1
status=$?
cat "$output"
exit "$status"
