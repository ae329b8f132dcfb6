#!/bin/sh
# The plug-in seen from outside: exactly the host's eight entry points and the two script-processor
# exports, undecorated; on Windows also the file format, imports from Windows' own DLLs only (no
# mingw runtime DLL) and a version resource.
# Usage: exports_test.sh LIBRARY native|i686|x86_64
set -u
export LC_ALL=C
lib=$1
flavour=${2:-native}
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
rc=0
fail() { echo "FAIL $*"; rc=1; }
case "$flavour" in
  i686|x86_64)
    objdump=$flavour-w64-mingw32-objdump
    if [ "$flavour" = i686 ]; then format=pei-i386; else format=pei-x86-64; fi
    header=$($objdump -f "$lib" 2>&1) || fail "$objdump cannot read $lib: $header"
    printf '%s\n' "$header" | grep -q "file format $format\$" ||
      fail "not a $format file: $(printf '%s\n' "$header" | grep 'file format')"
    dump=$($objdump -p "$lib")
    exports=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed 1d |
              grep -o '\] [A-Za-z_@0-9]*$' | cut -c3- | sort)
    imports=$(printf '%s\n' "$dump" | grep 'DLL Name:' | awk '{print $3}' | tr 'a-z' 'A-Z' | sort -u |
              grep -v -E '^(KERNEL32|USER32|GDI32|MSIMG32|SHELL32|ADVAPI32|COMCTL32|UXTHEME|MSVCRT|OLE32|OLEAUT32|COMDLG32|BCRYPT)\.DLL$')
    # The resource directory's first level lists the types; 16 (0x10) is the version record.
    printf '%s\n' "$dump" | sed -n '/The .rsrc Resource Directory section/,$p' |
      grep -q -E '^[0-9a-f]+   Entry: ID: 0x000010,' || fail "no version resource"
    ;;
  native)
    exports=$(nm -D --defined-only "$lib" | awk '{print $3}' | grep -v -E '^_(init|fini|edata|end|_bss_start)$|^__bss_start$|^_edata$|^_end$' | sort)
    imports=
    ;;
  *) echo "unknown flavour $flavour"; exit 2 ;;
esac
if [ "$exports" != "$expected" ]; then fail "exports differ:"; echo "$exports"; fi
if [ -n "$imports" ]; then fail "unexpected DLL imports: $imports"; fi
[ $rc -eq 0 ] && echo "$flavour: exports as expected${objdump:+; file format, imports and version resource too}" && echo "[  PASSED  ]"
exit $rc
