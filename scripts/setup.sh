#!/usr/bin/env bash
# Installs what building and testing Pipwick needs on Debian 12, and only what is
# missing: the MinGW-w64 cross-compilers for 32- and 64-bit Windows, Wine (32- and
# 64-bit), Xvfb, CMake, GoogleTest and clang for the fuzzers. Then makes sure that
# 32-bit programs run: where the kernel has no 32-bit support, it adds qemu-i386
# (scripts/enable-i386.sh).
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$repo/scripts/apt-update.sh"

packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb xauth cmake make g++ googletest clang libclang-rt-14-dev)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: missing packages: ${missing[*]}; run 'make setup' as root to install them" >&2
        exit 1
    fi
    echo "setup: installing ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        echo "setup: enabling the i386 architecture for 32-bit Wine"
        dpkg --add-architecture i386
    fi
    apt_update
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "${apt_release[@]}" "${missing[@]}"
fi

"$repo/scripts/enable-i386.sh"
