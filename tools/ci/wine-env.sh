# Source this: a 32-bit Wine prefix for the tests, made once per machine (about 15 s).
export WINEPREFIX="${WINEPREFIX:-/tmp/duxiptc-wineprefix}" WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # Debian's wine never looks into fonts-wine's folder: copy the fonts into the prefix.
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  printf '%s\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Decorated"="N"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' '"Arial"="Liberation Sans"' \
    '"Courier New"="Liberation Mono"' '"Times New Roman"="Liberation Serif"' > "$WINEPREFIX/dux-ci.reg"
  wine regedit /S "$WINEPREFIX/dux-ci.reg" >/dev/null 2>&1
  wineserver -w
fi
