#!/usr/bin/env bash
# Checks the binary form of Pipwick.dll: a PE32 DLL for i386 (or, with --x86-64, a
# PE32+ DLL for x86-64) that exports exactly the five undecorated entry points
# (beginPluginEx at the address of beginSlitPlugin) and imports from nothing but
# the system DLLs and norvane.exe. The 32-bit DLL must also hold only i686 code with
# x87 arithmetic, no MMX, SSE or later instructions (check-i686-code.sh).
#   scripts/check-dll.sh [--x86-64] path/to/Pipwick.dll
set -uo pipefail

usage="usage: check-dll.sh [--x86-64] path/to/Pipwick.dll"
machine=i386
if [ "${1:-}" = --x86-64 ]; then
    machine=x86-64
    shift
fi
dll=${1:?$usage}
if [ "$machine" = x86-64 ]; then
    objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
    file_format=pei-x86-64
    architecture=i386:x86-64
    magic='020b[[:space:]]+\(PE32\+\)'
    format_name=PE32+
else
    objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
    file_format=pei-i386
    architecture=i386
    magic='010b[[:space:]]+\(PE32\)'
    format_name=PE32
fi
failures=0

fail() {
    echo "check-dll: $*" >&2
    failures=$((failures + 1))
}

[ -f "$dll" ] || { echo "check-dll: no such file: $dll" >&2; exit 1; }
headers=$("$objdump" -f "$dll") || { echo "check-dll: $objdump cannot read $dll" >&2; exit 1; }
details=$("$objdump" -p "$dll") || { echo "check-dll: $objdump cannot read $dll" >&2; exit 1; }

grep -q "file format $file_format\$" <<<"$headers" || fail "not a PE file for $machine"
grep -q "^architecture: $architecture," <<<"$headers" || fail "architecture is not $architecture"
grep -Eq "^Magic[[:space:]]+$magic" <<<"$details" || fail "not $format_name"
# IMAGE_FILE_DLL (0x2000) in the characteristics.
characteristics=$(awk '/^Characteristics/ && $2 ~ /^0x[0-9a-fA-F]+$/ { print $2; exit }' <<<"$details")
if [ -z "$characteristics" ] || (( (characteristics & 0x2000) == 0 )); then
    fail "not a DLL (characteristics ${characteristics:-missing})"
fi

# Export address table: "[ index] +base[ ordinal] rva Export RVA".
declare -A rva_of_index=()
while read -r index rva; do
    rva_of_index[$index]=$rva
done < <(sed -n '/^Export Address Table -- Ordinal Base/,/^$/p' <<<"$details" |
         sed -nE 's/^[[:space:]]*\[[[:space:]]*([0-9]+)\][[:space:]]+\+base\[[[:space:]]*[0-9]+\][[:space:]]+([0-9a-fA-F]+).*/\1 \2/p')

# Name table: "[ index] name", the index pointing into the address table.
declare -A rva_of_name=()
names=()
while read -r index name; do
    names+=("$name")
    rva_of_name[$name]=${rva_of_index[$index]:-}
done < <(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$details" |
         sed -nE 's/^[[:space:]]*\[[[:space:]]*([0-9]+)\][[:space:]]+([^[:space:]]+).*/\1 \2/p')

expected="beginPlugin beginPluginEx beginSlitPlugin endPlugin pluginInfo"
actual=$(printf '%s\n' "${names[@]}" | sort | tr '\n' ' ' | sed 's/ $//')
[ "$actual" = "$expected" ] || fail "exports are [$actual], expected [$expected]"
for name in "${names[@]}"; do
    [ -n "${rva_of_name[$name]}" ] || fail "export $name has no address"
done
if [ -n "${rva_of_name[beginPluginEx]:-}" ] &&
   [ "${rva_of_name[beginPluginEx]}" != "${rva_of_name[beginSlitPlugin]:-}" ]; then
    fail "beginPluginEx (${rva_of_name[beginPluginEx]}) is not beginSlitPlugin (${rva_of_name[beginSlitPlugin]:-none})"
fi

# Imports: every DLL named must be a system DLL or the host.
mapfile -t imports < <(sed -nE 's/^[[:space:]]*DLL Name: (.*)$/\1/p' <<<"$details")
[ ${#imports[@]} -gt 0 ] || fail "no import table found"
for import in "${imports[@]}"; do
    case "${import,,}" in
        kernel32.dll | user32.dll | gdi32.dll | msvcrt.dll | norvane.exe) ;;
        *) fail "imports from $import" ;;
    esac
done
printf '%s\n' "${imports[@],,}" | grep -qx 'norvane.exe' || fail "imports nothing from norvane.exe"

# The 32-bit DLL runs on processors without MMX or SSE, such as the Pentium II.
code=
if [ "$machine" = i386 ]; then
    if OBJDUMP=$objdump "$(dirname "${BASH_SOURCE[0]}")/check-i686-code.sh" "$dll" >/dev/null; then
        code="; i686 code with x87 arithmetic only"
    else
        fail "its code needs more than an i686 processor with x87 arithmetic"
    fi
fi

if [ "$failures" -gt 0 ]; then
    exit 1
fi
echo "check-dll: $(basename "$dll"): $format_name $machine DLL; exports $expected; imports ${imports[*]}$code"
