#!/usr/bin/env bash
# Runs the benchmark under Wine, inside a Wine session, for each build given: Pipwick.dll
# as it ships and the floor plug-in, from a fresh folder under the build directory so
# that the clock makes its first start there. Each run says how its code ran: the
# 64-bit build always natively through wine64, the 32-bit one natively or under
# qemu-i386 emulating a Pentium II, whichever this machine offers
# (scripts/i386-mode.sh). Arguments after
# the folders go to the benchmark (--repaints N, --moves N, --starts N,
# --idle-seconds N, --flip-seconds N, --flip-only).
#   scripts/run-bench.sh build/win32 build/win64 build [ARGUMENTS...]
set -euo pipefail
win32=$1
win64=$2
build=$3
shift 3
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$repo/scripts/wine-env.sh"

# Runs the benchmark of one build.
bench_build() {
    local build_dir=$1 runs_as=$2 run_dir="$build/bench-run"
    shift 2
    echo "bench: the $runs_as"
    rm -rf "$run_dir"
    mkdir -p "$run_dir"
    cp "$build_dir/bench-bin/norvane.exe" "$build_dir/bench-bin/PipwickFloor.dll" \
        "$build_dir/bench-bin/PipwickCopyOnly.dll" \
        "$build_dir/Pipwick.dll" "$repo/norvane/sample.style" "$run_dir/"
    (cd "$run_dir" && "$repo/scripts/wine-run.sh" norvane.exe --runs-as "$runs_as" "$@")
}

if i386=$("$repo/scripts/i386-mode.sh"); then
    if [ "$i386" = native ]; then
        bench_build "$win32" "32-bit build, native" "$@"
    else
        # An emulated repaint takes a hundred times as long, and its figures tell
        # nothing of a real machine: fewer rounds keep the run to minutes. Arguments
        # given to make bench still come last and win.
        echo "bench: under $i386 the 32-bit build runs fewer rounds"
        bench_build "$win32" "32-bit build, under $i386" \
            --repaints 300 --moves 300 --starts 10 --idle-seconds 20 "$@"
    fi
else
    echo "bench: the 32-bit build is not measured: ${i386#unavailable: }"
fi
echo
bench_build "$win64" "64-bit build, native" "$@"
