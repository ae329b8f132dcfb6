#!/bin/sh
# Exit status 0 when this machine starts 32-bit x86 Linux programs (and so 32-bit Wine), 1 when
# it does not: some kernels run 64-bit user code only ("Exec format error"). The probe is a
# 96-byte static i386 program that exits with status 42; it needs no i386 package at all.
# Usage: can-run-32bit.sh [SCRATCH_DIR]
set -u
dir=${1:-${TMPDIR:-/tmp}}
probe=$(mktemp "$dir/dux-i386-probe.XXXXXX") || exit 1
trap 'rm -f "$probe"' EXIT
# ELF header, one loadable segment, then: mov eax,1; mov ebx,42; int 0x80 (exit(42)).
printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\273\052\000\000\000\315\200' > "$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
[ $? -eq 42 ]
