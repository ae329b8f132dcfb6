#!/bin/sh
# The plug-in exports exactly the host's eight entry points, undecorated, and (on Windows)
# imports nothing but Windows' own DLLs. Usage: exports_test.sh LIBRARY [windows]
set -u
export LC_ALL=C
lib=$1
expected='duxIPTCCmdList
duxIPTCExec
nbAbout
nbEditAction
nbExecAction
nbInitPlugIn
nbMessage
nbRegisterInterfaceAccess
nbRegisterPlugIn
nbRegisterScriptProcessor'
if [ "${2:-}" = windows ]; then
  dump=$(i686-w64-mingw32-objdump -p "$lib")
  exports=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed 1d |
            grep -o '\] [A-Za-z_@0-9]*$' | cut -c3- | sort)
  imports=$(printf '%s\n' "$dump" | grep 'DLL Name:' | awk '{print $3}' | tr 'a-z' 'A-Z' | sort -u |
            grep -v -E '^(KERNEL32|USER32|GDI32|MSIMG32|SHELL32|ADVAPI32|COMCTL32|UXTHEME|MSVCRT|OLE32|OLEAUT32|COMDLG32)\.DLL$')
else
  exports=$(nm -D --defined-only "$lib" | awk '{print $3}' | grep -v -E '^_(init|fini|edata|end|_bss_start)$|^__bss_start$|^_edata$|^_end$' | sort)
  imports=
fi
rc=0
if [ "$exports" != "$expected" ]; then echo "exports differ:"; echo "$exports"; rc=1; fi
if [ -n "$imports" ]; then echo "unexpected DLL imports: $imports"; rc=1; fi
[ $rc -eq 0 ] && echo "exports and imports as expected" && echo "[  PASSED  ]"
exit $rc
