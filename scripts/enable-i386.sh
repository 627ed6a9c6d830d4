#!/usr/bin/env bash
# Brings 32-bit x86 execution to a machine whose kernel has none: qemu-user from the
# release's backports (version 10; the release's own 7.2 takes most of a minute to
# start each Wine program), registered with binfmt_misc for i386 ELF programs. The
# flag F opens the emulator at registration, so it serves chroots too.
# Where 32-bit programs already run, it does nothing. It never fails the set-up:
# where it cannot help, it says why, and the 32-bit runs are then skipped with that
# reason (scripts/i386-mode.sh tells them).
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$repo/scripts/wine-env.sh"
. "$repo/scripts/apt-update.sh"
binfmt=/proc/sys/fs/binfmt_misc
qemu=/usr/bin/qemu-i386
i386_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
i386_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

say() { echo "setup: $*"; }
cannot() {
    say "32-bit programs cannot run here: $*."
    say "The 32-bit Wine runs will be skipped; the 64-bit ones run as usual."
    exit 0
}

mode=$("$repo/scripts/i386-mode.sh") && exit 0
[ -x "$WINE32_LOADER" ] || cannot "${mode#unavailable: }"

say "this kernel runs no 32-bit x86 programs, so the 32-bit Wine loader cannot start."
say "Adding qemu-i386, registered for i386 programs, to run the 32-bit clock and its tests under emulation."
[ "$(id -u)" -eq 0 ] || cannot "installing and registering an emulator needs root (run 'make setup' as root)"

. /etc/os-release
codename=${VERSION_CODENAME:-}
[ -n "$codename" ] || cannot "/etc/os-release names no release"

# The archive this machine already uses for its release: the first source whose
# suites include the release itself, in the deb822 or the one-line format.
archive_uri() {
    local sources=/etc/apt/sources.list.d/debian.sources
    if [ -f "$sources" ]; then
        awk -v suite="$codename" '
            /^$/ { if (match_suite && uri != "") { print uri; exit } match_suite = 0; uri = "" }
            /^URIs:/ { uri = $2 }
            /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == suite) match_suite = 1 }
            END { if (match_suite && uri != "") print uri }' "$sources" | head -n 1
    fi
    if [ -f /etc/apt/sources.list ]; then
        sed -E 's/\[[^]]*\]//' /etc/apt/sources.list |
            awk -v suite="$codename" '$1 == "deb" && $3 == suite { print $2; exit }'
    fi
}

# qemu-user as the backports give it: 8 or later.
qemu_version_ok() {
    local version
    version=$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null) || return 1
    version=${version#*:}
    [ "${version%%.*}" -ge 8 ] 2>/dev/null
}

if ! qemu_version_ok; then
    backports=/etc/apt/sources.list.d/$codename-backports.sources
    if ! grep -rqs "$codename-backports" /etc/apt/sources.list /etc/apt/sources.list.d/; then
        uri=$(archive_uri | head -n 1)
        [ -n "$uri" ] || cannot "no apt source for $codename was found to take the backports from"
        say "adding the apt source $codename-backports ($backports)"
        {
            echo "Types: deb"
            echo "URIs: $uri"
            echo "Suites: $codename-backports"
            echo "Components: main"
            [ -f /usr/share/keyrings/debian-archive-keyring.gpg ] &&
                echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
        } >"$backports"
        apt_update || cannot "apt-get update failed with the backports source"
    fi
    say "installing qemu-user from $codename-backports"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        -t "$codename-backports" qemu-user >/dev/null ||
        cannot "qemu-user could not be installed from $codename-backports"
    qemu_version_ok || cannot "the installed qemu-user is older than 8 and too slow for Wine"
fi
[ -x "$qemu" ] || cannot "$qemu is missing although qemu-user is installed"

if [ ! -e "$binfmt/register" ]; then
    say "mounting binfmt_misc"
    mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || cannot "binfmt_misc cannot be mounted"
fi
[ -e "$binfmt/qemu-i386" ] && echo -1 >"$binfmt/qemu-i386"
say "registering $qemu for i386 programs with binfmt_misc (for the whole machine, until it restarts)"
printf '%s' ":qemu-i386:M::$i386_magic:$i386_mask:$qemu:F" >"$binfmt/register" 2>/dev/null ||
    cannot "binfmt_misc refused the registration"

mode=$("$repo/scripts/i386-mode.sh") || cannot "${mode#unavailable: }"
[ "$mode" = native ] && say "32-bit programs now run natively" || say "32-bit programs now run under $mode"
