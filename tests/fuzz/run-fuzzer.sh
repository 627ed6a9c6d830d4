#!/usr/bin/env bash
# Runs one fuzzer for a bounded time on a copy of its seed corpus, so that nothing
# is written into the source tree; a crash's input is left in the working directory.
#   run-fuzzer.sh FUZZER CORPUS SECONDS
set -euo pipefail
fuzzer=$1
corpus=$2
seconds=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -R "$corpus"/. "$work/"
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
    -artifact_prefix="$PWD/$(basename "$fuzzer")-" -print_final_stats=1 "$work"
