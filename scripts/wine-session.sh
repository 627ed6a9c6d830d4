#!/usr/bin/env bash
# Runs a command inside a Wine session: a display (Xvfb unless one is given and
# PIPWICK_XVFB is not 1), the project's Wine prefix, created once, and one wineserver
# kept alive for the whole command so that each Wine process starts quickly.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$repo/scripts/wine-env.sh"

xvfb_pid=""
# The wineserver is not killed here: it ends by itself a few seconds after its last
# client, and another session may be using the same prefix.
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

# Xvfb picks a free display itself and names it once it listens (-displayfd): two
# sessions that chose a number each at the same moment could both take the same one,
# and one of them would then run on the other's display and lose it when the other
# session ends.
start_xvfb() {
    local named display
    named=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$named" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 200); do
        display=$(tr -dc 0-9 <"$named")
        if [ -n "$display" ]; then
            rm -f "$named"
            export DISPLAY=":$display"
            return 0
        fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$named"
    echo "wine-session: could not start Xvfb" >&2
    return 1
}

if [ -z "${DISPLAY:-}" ] || [ "${PIPWICK_XVFB:-}" = 1 ]; then
    start_xvfb
else
    export PIPWICK_REAL_DISPLAY=1
fi

# A prefix is made by one process before anything runs in it; processes racing to
# create it fail. wine64 makes it, so that it serves 32- and 64-bit programs on any
# machine. A crash must fail at once instead of waiting on winedbg's dialog.
prepare_prefix() {
    [ -f "$WINEPREFIX/.pipwick-ready" ] && return 0
    echo "wine-session: creating the Wine prefix $WINEPREFIX" >&2
    "$repo/scripts/wine-run.sh" wineboot.exe -i >/dev/null 2>&1
    "$repo/scripts/wine-run.sh" reg.exe add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
        /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.pipwick-ready"
}
mkdir -p "$WINEPREFIX"
exec 9>"$WINEPREFIX.lock"
flock 9
prepare_prefix
flock -u 9
wineserver -p10 2>/dev/null || true
# Wine's background programs (services, the desktop) start with the first program of
# a session and keep its output streams open; starting them here, with none, keeps
# them from holding on to the first real program's output.
"$repo/scripts/wine-run.sh" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true

"$@"
