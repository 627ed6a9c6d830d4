#!/usr/bin/env bash
# Says in one line how 32-bit x86 programs run on this machine:
#   native            the kernel runs them itself
#   qemu-i386         binfmt_misc hands them to qemu-i386, which emulates them
#   unavailable: WHY  they do not run, and why
# Exits 0 when they run and 1 when they do not. The proof is the 32-bit Wine loader
# itself starting.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
loader=$WINE32_LOADER
binfmt=/proc/sys/fs/binfmt_misc

# An enabled binfmt_misc entry that hands programs to qemu-i386.
qemu_registered() {
    local entry
    grep -qx enabled "$binfmt/status" 2>/dev/null || return 1
    for entry in "$binfmt"/*; do
        case "${entry##*/}" in register | status) continue ;; esac
        grep -qx enabled "$entry" 2>/dev/null &&
            grep -q '^interpreter .*/qemu-i386' "$entry" 2>/dev/null && return 0
    done
    return 1
}

if [ ! -x "$loader" ]; then
    echo "unavailable: the 32-bit Wine loader ($loader, package wine32:i386) is not installed"
    exit 1
fi
if ! "$loader" --version >/dev/null 2>&1; then
    if qemu_registered; then
        echo "unavailable: the 32-bit Wine loader does not start, not even under the registered qemu-i386"
    else
        echo "unavailable: this kernel runs no 32-bit programs and no qemu-i386 is registered for them (run 'make setup' as root)"
    fi
    exit 1
fi
if qemu_registered; then echo qemu-i386; else echo native; fi
