# Source this: a Wine prefix for the tests, made once per machine (about 15 s; 20 s for 64-bit).
# DUX_WINE_BITS=32 (the default) prepares 32-bit Wine, DUX_WINE_BITS=64 prepares 64-bit Wine for
# machines that cannot run 32-bit programs. Debian's /usr/bin/wine starts 32-bit Wine whenever
# wine32 is installed, even for a 64-bit program, so each Wine is named by its own path; the
# scripts call "$DUX_WINE" and "$DUX_WINESERVER".
if [ "${DUX_WINE_BITS:-32}" = 64 ]; then
  export WINEPREFIX="${WINEPREFIX:-/tmp/duxiptc-wineprefix64}" WINEARCH=win64
  export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
else
  export WINEPREFIX="${WINEPREFIX:-/tmp/duxiptc-wineprefix}" WINEARCH=win32
  export WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
fi
DUX_WINE=$WINELOADER DUX_WINESERVER=$WINESERVER
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$DUX_WINE" wineboot -i >/dev/null 2>&1
  "$DUX_WINESERVER" -w
  # Debian's wine never looks into fonts-wine's folder: copy the fonts into the prefix.
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  printf '%s\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Decorated"="N"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' '"Arial"="Liberation Sans"' \
    '"Courier New"="Liberation Mono"' '"Times New Roman"="Liberation Serif"' > "$WINEPREFIX/dux-ci.reg"
  "$DUX_WINE" regedit /S "$WINEPREFIX/dux-ci.reg" >/dev/null 2>&1
  "$DUX_WINESERVER" -w
fi
