#!/usr/bin/env bash
# Runs the clock in the stand-in host, from a folder of its own under the build
# directory, and leaves a screenshot of it there. Inside a Wine session.
#   PIPWICK_SECONDS  how long the clock runs (default 6, or 60 on a real display)
#   PIPWICK_SLIT=1   start the clock in the host's slit
set -euo pipefail
win32=$1
build=$2
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

run_dir="$build/run"
mkdir -p "$run_dir"
cp "$win32/Pipwick.dll" "$win32/norvane/norvane.exe" "$repo/norvane/sample.style" "$run_dir/"

seconds=${PIPWICK_SECONDS:-}
if [ -z "$seconds" ]; then
    if [ "${PIPWICK_XVFB:-}" != 1 ] && [ -n "${PIPWICK_REAL_DISPLAY:-}" ]; then seconds=60; else seconds=6; fi
fi
slit=()
name=clock
if [ "${PIPWICK_SLIT:-}" = 1 ]; then
    slit=(--slit)
    name=clock-in-slit
fi

cd "$run_dir"
echo "run: the clock runs for $seconds seconds (settings: $run_dir/Pipwick.rc)"
"$repo/scripts/wine-run.sh" norvane.exe --plugin Pipwick.dll --style sample.style \
    "${slit[@]}" --seconds "$seconds" --screenshot "$name.png"
echo "run: screenshot $(cd "$run_dir" && pwd)/$name.png"
