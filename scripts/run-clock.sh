#!/usr/bin/env bash
# Runs the clock in the stand-in host, from a folder of its own under the build
# directory, and leaves a screenshot of it there. Inside a Wine session.
#   PIPWICK_SECONDS  how long the clock runs (default 6, or 60 on a real display)
#   PIPWICK_SLIT=1   start the clock in the host's slit
#   PIPWICK_HOVER=1  rest the pointer on the clock, so that the screenshot shows its
#                    tooltip too
set -euo pipefail
win32=$1
build=$2
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

mkdir -p "$build/run"
run_dir=$(cd "$build/run" && pwd)
cp "$win32/Pipwick.dll" "$win32/norvane/norvane.exe" "$repo/norvane/sample.style" "$run_dir/"

seconds=${PIPWICK_SECONDS:-}
if [ -z "$seconds" ]; then
    if [ "${PIPWICK_XVFB:-}" != 1 ] && [ -n "${PIPWICK_REAL_DISPLAY:-}" ]; then seconds=60; else seconds=6; fi
fi
# The clock joins the slit when its settings say so; a first start has no settings
# yet and is sent into the slit with the command a user would choose.
slit=()
name=clock
want_slit=false
if [ "${PIPWICK_SLIT:-}" = 1 ]; then
    want_slit=true
    name=clock-in-slit
    slit=(--slit)
    [ -f "$run_dir/Pipwick.rc" ] || slit+=(--broadcast "@Pipwick ToggleSlit")
fi
if [ -f "$run_dir/Pipwick.rc" ]; then
    sed -i -E "s/^(Pipwick\.inSlit:) .*\r$/\1 $want_slit\r/" "$run_dir/Pipwick.rc"
fi

hover=()
if [ "${PIPWICK_HOVER:-}" = 1 ]; then
    name=$name-tooltip
    hover=(--hover)
fi

cd "$run_dir"
echo "run: the clock runs for $seconds seconds (settings: $run_dir/Pipwick.rc)"
"$repo/scripts/wine-run.sh" norvane.exe --plugin Pipwick.dll --style sample.style \
    "${slit[@]}" "${hover[@]}" --seconds "$seconds" --screenshot "$name.png"
echo "run: screenshot $run_dir/$name.png"
