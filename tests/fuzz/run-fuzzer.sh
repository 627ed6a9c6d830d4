#!/usr/bin/env bash
# Runs one fuzzer on a copy of its checked-in corpus, so that the search itself writes
# nothing into the source tree.
#   run-fuzzer.sh FUZZER CORPUS RUNS
#       The gate of make test: replays every input of the corpus, then searches a fixed
#       number of inputs from a fixed seed. The same build tries the same inputs on
#       every machine, however fast; a crash's input is left in the working directory.
#   run-fuzzer.sh --random FUZZER CORPUS SECONDS
#       make fuzz: a search from a random seed for a bounded time. A crash's input is
#       written into CORPUS itself, to be checked in with the fix, so that the gate
#       replays it from then on.
set -euo pipefail
random=0
if [ "${1:-}" = --random ]; then
    random=1
    shift
fi
fuzzer=$1
corpus=$2
amount=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -R "$corpus"/. "$work/"
# A single input that runs for two minutes hangs; the limit is not a speed gate.
options=(-timeout=120 -rss_limit_mb=1024 -print_final_stats=1)
if [ "$random" -eq 1 ]; then
    options+=(-seed=0 -max_total_time="$amount"
              -artifact_prefix="$(cd "$corpus" && pwd)/crash-$(basename "$fuzzer")-")
else
    # What would make two runs of one seed differ stays off: rereading the corpus
    # directory on a clock, and operands of comparisons, which include addresses.
    options+=(-seed=1 -runs="$amount" -reload=0 -use_cmp=0
              -artifact_prefix="$PWD/$(basename "$fuzzer")-")
fi
"$fuzzer" "${options[@]}" "$work"
