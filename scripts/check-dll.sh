#!/usr/bin/env bash
# Checks the binary form of Pipwick.dll: a PE32 DLL for i386 (or, with --x86-64, a
# PE32+ DLL for x86-64) that exports exactly the five undecorated entry points
# (beginPluginEx at the address of beginSlitPlugin) and imports from nothing but
# the system DLLs and norvane.exe: from the system DLLs only functions that Windows
# 2000 has, and from msvcrt.dll only those that the msvcrt.dll of Windows 2000 and of
# XP export. The 32-bit DLL must also hold only i686 code with x87 arithmetic, no
# MMX, SSE or later instructions (check-i686-code.sh).
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

# The system functions the DLL may import: each exists from Windows 2000 on, so the
# DLL loads there. A function that is not listed fails the check until its first
# Windows version has been looked up and it is added here. The C runtime's are
# listed below.
known_since_windows_2000="
GDI32.dll BitBlt CreateCompatibleBitmap CreateCompatibleDC DeleteDC DeleteObject Ellipse
GDI32.dll GetClipBox GetStockObject LineTo MoveToEx SelectObject SetDCBrushColor SetDCPenColor
GDI32.dll GetDeviceCaps SetWindowOrgEx
KERNEL32.dll CloseHandle CreateDirectoryA CreateFileA DeleteCriticalSection DeleteFileA EnterCriticalSection
KERNEL32.dll FlushFileBuffers FreeLibrary GetACP GetCurrentProcessId GetDateFormatA GetDateFormatW
KERNEL32.dll GetEnvironmentVariableW
KERNEL32.dll GetFileAttributesA GetFileAttributesExA GetFileSize GetLastError GetLocalTime GetModuleFileNameA
KERNEL32.dll GetModuleFileNameW GetModuleHandleA GetShortPathNameW
KERNEL32.dll GetProcAddress GetVersionExA InitializeCriticalSection LeaveCriticalSection
KERNEL32.dll LoadLibraryA LoadLibraryW MoveFileExA ReadFile SetEndOfFile Sleep TlsGetValue VirtualProtect VirtualQuery
KERNEL32.dll WideCharToMultiByte WriteFile
USER32.dll BeginPaint CreateWindowExA CreateWindowExW DefWindowProcA DestroyWindow EndPaint FillRect
USER32.dll GetShellWindow MapWindowPoints SendMessageW SetWindowTextA
USER32.dll LoadCursorA
USER32.dll GetForegroundWindow GetMonitorInfoA GetWindowRect GetWindowThreadProcessId MonitorFromWindow
USER32.dll GetAsyncKeyState GetClientRect GetDesktopWindow GetSysColor GetSystemMetrics IntersectRect
USER32.dll InvalidateRect IsRectEmpty IsWindowVisible KillTimer MessageBoxA MonitorFromRect
USER32.dll RegisterClassA SendMessageA SetTimer SetWindowLongA SetWindowPos ShowWindow
USER32.dll SystemParametersInfoA
USER32.dll UnregisterClassA
"
declare -A known=()
while read -r known_dll functions; do
    for function in $functions; do known["${known_dll,,} $function"]=1; done
done <<<"$known_since_windows_2000"

# The C runtime's functions the DLL may import: each is exported by the msvcrt.dll
# of Windows 2000 (6.1) and of XP (7.0). A newer msvcrt export, such as the secure
# `_s` functions that came with Vista's, would keep the DLL from loading there.
# The list was made from the msvcrt imports of both builds (objdump -p), each
# looked up among the classic msvcrt exports and checked against the export tables
# of Wine's msvcrt40.dll and msvcr70.dll, which model the C runtimes of 1996 and
# 2002 (_lock and _unlock: msvcr70 only). __iob_func is allowed in the 64-bit DLL
# alone: 64-bit Windows begins with XP x64, whose msvcrt has it, while Windows
# 2000's has only _iob. A function that is not listed fails the check until it has
# been looked up and added here.
known_in_msvcrt_of_windows_2000="
_amsg_exit _initterm _iob _lock _unlock abort calloc free fwrite malloc memcpy realloc
strcmp strcpy strlen strncmp vfprintf
"
known_in_msvcrt_of_64_bit_windows_xp="__iob_func"
for function in $known_in_msvcrt_of_windows_2000; do known["msvcrt.dll $function"]=1; done
if [ "$machine" = x86-64 ]; then
    for function in $known_in_msvcrt_of_64_bit_windows_xp; do known["msvcrt.dll $function"]=1; done
fi

# Imported functions: "DLL Name: X", then "vma hint name" lines until a blank line.
system_imports=0
runtime_imports=0
while read -r import_dll function; do
    case "${import_dll,,}" in
        kernel32.dll | user32.dll | gdi32.dll)
            system_imports=$((system_imports + 1))
            [ -n "${known["${import_dll,,} $function"]:-}" ] ||
                fail "imports $function from $import_dll, which is not known to exist from Windows 2000 on"
            ;;
        msvcrt.dll)
            runtime_imports=$((runtime_imports + 1))
            [ -n "${known["msvcrt.dll $function"]:-}" ] ||
                fail "imports $function from $import_dll, which is not known in the msvcrt.dll of Windows 2000 and XP"
            ;;
    esac
done < <(awk '/^[[:space:]]*DLL Name:/ { dll = $3; next }
              dll != "" && /^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+[^[:space:]]+$/ { print dll, $3 }
              /^$/ { dll = "" }' <<<"$details")
[ "$system_imports" -gt 0 ] || fail "no system function imports found"

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
echo "check-dll: $(basename "$dll"): $format_name $machine DLL; exports $expected; imports ${imports[*]}," \
     "the $system_imports system functions all from Windows 2000 or earlier," \
     "the $runtime_imports C runtime functions all in the msvcrt.dll of Windows 2000 and XP$code"
