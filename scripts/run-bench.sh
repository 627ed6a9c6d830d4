#!/usr/bin/env bash
# Runs the benchmark under Wine, inside a Wine session: Pipwick.dll as it ships and the
# floor plug-in, from a fresh folder under the build directory so that the clock makes
# its first start there. Arguments after the two folders go to the benchmark
# (--repaints N, --moves N, --starts N, --idle-seconds N).
#   scripts/run-bench.sh build/win32 build [ARGUMENTS...]
set -euo pipefail
win32=$1
build=$2
shift 2
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

run_dir="$build/bench-run"
rm -rf "$run_dir"
mkdir -p "$run_dir"
cp "$win32/bench-bin/norvane.exe" "$win32/bench-bin/PipwickFloor.dll" "$win32/Pipwick.dll" \
    "$repo/norvane/sample.style" "$run_dir/"
cd "$run_dir"
"$repo/scripts/wine-run.sh" norvane.exe "$@"
