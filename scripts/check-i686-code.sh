#!/usr/bin/env bash
# Checks that 32-bit Windows programs and DLLs hold only i686 instructions and x87
# arithmetic, code that the Pentium II, the Pentium III and the Athlon XP run as well
# as any later processor. The disassembly must name no MMX, XMM, YMM or ZMM register
# and none of the SSE and later instructions that name no such register.
#   scripts/check-i686-code.sh FILE...
set -uo pipefail

objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
vector_register='%[xyz]?mm[0-9]'
other_instructions='ldmxcsr|stmxcsr|sfence|lfence|mfence|prefetch(nta|t0|t1|t2|w)|movnti'
# tzcnt is not among them: the compiler writes it as rep bsf for a count that bsf gives
# as well, and a processor without it runs it as bsf.
other_instructions+='|clflush|emms|femms|crc32[bwl]?|popcnt[wl]?|lzcnt[wl]?|movbe[wl]?'
other_instructions+='|vzeroupper|vzeroall'
[ $# -gt 0 ] || { echo "usage: check-i686-code.sh FILE..." >&2; exit 2; }

failures=0
for file in "$@"; do
    if ! disassembly=$("$objdump" -d --no-show-raw-insn "$file" 2>&1); then
        echo "check-i686-code: $objdump cannot disassemble $file" >&2
        failures=$((failures + 1))
        continue
    fi
    # Instruction lines are "  address:<tab>mnemonic operands", each after the line
    # "address <symbol>:" of the symbol it belongs to. The linker puts the exception
    # and constructor tables into the code section too: their bytes are data, and
    # what they would disassemble to is never run.
    found=$(awk -v pattern="$vector_register|[[:space:]]($other_instructions)([[:space:]]|\$)" '
        /^[0-9a-f]+ <.*>:$/ {
            data = $2 ~ /^<(\.gcc_except_table|\.ctors|\.dtors|__CTOR_LIST__|__DTOR_LIST__)/
            next
        }
        !data && /^[[:space:]]*[0-9a-f]+:[[:space:]]/ && $0 ~ pattern' <<<"$disassembly")
    if [ -n "$found" ]; then
        echo "check-i686-code: $file has $(wc -l <<<"$found") MMX, SSE or later instructions, the first:" >&2
        head -n 5 <<<"$found" >&2
        failures=$((failures + 1))
        continue
    fi
    echo "check-i686-code: $(basename "$file"): i686 code with x87 arithmetic only"
done
[ "$failures" -eq 0 ]
