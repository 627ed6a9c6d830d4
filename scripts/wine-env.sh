# Sourced by the scripts that run Wine: the project's prefix and settings, and the
# choice of Wine loader for a program.
#   32-bit programs (PE32) go to the 32-bit loader, which runs natively or, on a
#   kernel without 32-bit support, under qemu-i386 (scripts/i386-mode.sh).
#   Everything else, Wine's own tools included, goes to wine64, which runs
#   everywhere. Debian's `wine` wrapper would pick the 32-bit loader for all of
#   them whenever it is installed, even where it cannot start.
wine_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$wine_repo/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers; no winedbg, so that a crash ends its program at once
# instead of waiting on a debugger that nobody attends.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}

WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64
# The machine field of a PE file's header, in hex: 014c for i386, 8664 for x86-64.
pe_machine() {
    local header
    header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 1
    [ -n "$header" ] || return 1
    od -An -tx2 -j$((header + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}

# The loader for a program given as Wine is given it: a file, or the name of one
# of Wine's own programs.
wine_loader_for() {
    if [ -f "$1" ] && [ "$(pe_machine "$1")" = 014c ]; then
        echo "$WINE32_LOADER"
    else
        echo "$WINE64_LOADER"
    fi
}
