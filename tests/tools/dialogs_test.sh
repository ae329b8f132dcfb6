#!/bin/sh
# The action editors and the about box through nbhost and the plug-in's real exports.
# Usage: dialogs_test.sh NBHOST GALLERY [RUNNER [PICTURES]]
# With RUNNER=wine (the Windows build, under Xvfb) the real dialogs open and a test user types,
# clicks and closes them by window messages; each dialog's screenshot goes to GALLERY (PNG when
# ImageMagick is there). Natively the stand-in dialogs close with Cancel.
# PICTURES is the folder of the README's pictures (docs/images): each screenshot must have the
# size of its picture there, so that a dialog that changed shows up as a stale picture
# (tools/docs/refresh-images.sh makes them anew). Their pixels are not compared: the text's
# rendering varies with Wine's version.
set -u
nbhost=$1
gallery=$2
runner=${3:-}
pictures=${4:-}
failures=0; checks=0
mkdir -p "$gallery"
# A dialog that no step closes would wait for a person: each run has a time limit, and a run
# that reaches it shows as missing output, so its check fails.
run() { timeout 120 $runner "$nbhost" "$@" 2>/dev/null | tr -d '\r' | grep -v '^driver: screenshot'; }
check() {  # name expected actual
  checks=$((checks + 1))
  if [ "$2" != "$3" ]; then
    failures=$((failures + 1))
    printf 'FAIL %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"
  fi
}
shot() {  # name: the screenshot option for the gallery, as a Windows path
  # winepath through the same Wine as the tests: /usr/bin/winepath starts 32-bit Wine whenever it
  # is installed, and on a machine without 32-bit support that fails and gives no path.
  [ -n "$runner" ] || return 0
  path=$($runner winepath -w "$gallery/$1.bmp" 2>/dev/null | tr -d '\r')
  [ -n "$path" ] || path="no-windows-path-for-$1.bmp"
  printf -- '--screenshot\n%s\n' "$path"
}

template_lines=$(run --edit 4 "" | grep -c 'duxIPTCsetVar')
check "template into an empty parameter" 1 "$template_lines"
check "template keeps a blank parameter" 'param1=" "
result=true' "$(run --edit 4 " ")"
check "number 0 shows nothing" 'param1="x"
result=false' "$(run --edit 0 x)"
check "number 7 shows nothing" 'param1="x"
result=false' "$(run --edit 7 x)"

if [ -z "$runner" ]; then
  check "stand-in dialog closes with Cancel" 'param1="a.jpg"
result=false' "$(run --edit duxIPTCread a.jpg)"
else
  IFS='
'
  check "read dialog: typed and OK" 'driver: dialog "duxIPTCread Properties"
driver: typed into Edit1
driver: closed with ok
param1="typed.jpg"
result=true' "$(run --edit --type Edit1=typed.jpg $(shot duxIPTCread) --close ok duxIPTCread orig.jpg)"
  check "read dialog: typed and Cancel" 'driver: dialog "duxIPTCread Properties"
driver: typed into Edit1
driver: closed with cancel
param1="orig.jpg"
result=false' "$(run --edit --type Edit1=typed.jpg --close cancel duxIPTCread orig.jpg)"
  check "exif dialog: Escape" 'driver: dialog "duxEXIFread Properties"
driver: typed into Edit1
driver: closed with escape
param1="orig.jpg"
result=false' "$(run --edit --type 'Edit1=C:\Photos\harbour.jpg' $(shot duxEXIFread) --close escape duxEXIFread orig.jpg)"
  check "exif dialog: the close box" 'driver: dialog "duxEXIFread Properties"
driver: closed with close
param1="orig.jpg"
result=false' "$(run --edit --close close duxEXIFread orig.jpg)"
  check "write dialog: file chooser and OK" 'driver: dialog "duxIPTCwrite Properties"
driver: clicked SpeedButton4
driver: typed into Edit1
driver: closed with ok
request 16="out.jpg\rC:\\Pub\\\rJPG Files|*.jpg\rFalse\rFalse"
param1="first.jpg"
param2="C:\\chosen.jpg"
result=true' "$(run --set '[PubDir]=C:\Pub\' --answer '16=C:\chosen.jpg' --edit --click SpeedButton4 --type Edit1=first.jpg $(shot duxIPTCwrite) --close ok duxIPTCwrite in.jpg out.jpg)"
  check "write dialog: a refusing host" 'driver: dialog "duxIPTCwrite Properties"
driver: clicked SpeedButton1
driver: closed with ok
request 14="in.jpg"
param1="in.jpg"
param2="out.jpg"
result=true' "$(run --edit --click SpeedButton1 --close ok duxIPTCwrite in.jpg out.jpg)"
  check "write dialog: no interface access" 'driver: dialog "duxIPTCwrite Properties"
driver: clicked SpeedButton1
driver: closed with ok
param1="in.jpg"
param2="out.jpg"
result=true' "$(run --no-requests --edit --click SpeedButton1 --close ok duxIPTCwrite in.jpg out.jpg)"
  check "set-variable dialog: list entry and value" 'driver: dialog "duxIPTCsetVar Properties"
driver: chose in ComboBoxVar1
driver: typed into EditValue
driver: closed with ok
param1="[duxIPTC_City]"
param2="Berlin"
result=true' "$(run --edit --choose ComboBoxVar1=3 --type EditValue=Berlin $(shot duxIPTCsetVar) --close ok duxIPTCsetVar '[A]' B)"
  check "set-variable dialog: select an object" 'driver: dialog "duxIPTCsetVar Properties"
driver: typed into ComboBoxVar1
driver: clicked SpeedButtonObj1
driver: closed with ok
request 8="[duxIPTC_RClickAction]"
param1="[Btn_RClickAction]"
param2=""
result=true' "$(run --answer 8=Btn --edit --type ComboBoxVar1=[duxIPTC_RClickAction] --click SpeedButtonObj1 --close ok 3 '[V]' '')"
  check "get-tag dialog: five fields" 'driver: dialog "duxGetTag Properties"
driver: typed into EditVar3
driver: clicked SpeedButton5
driver: closed with ok
request 14="e"
param1="a"
param2="b"
param3=";"
param4="d"
param5="[Result]"
result=true' "$(run --answer '14=[Result]' --edit --type 'EditVar3=;' --click SpeedButton5 $(shot duxGetTag) --close ok duxGetTag a b c d e)"
  check "about box" 'driver: dialog "About duxIPTC"
driver: closed with ok
result=true' "$(run --about $(shot about) --close ok)"
  unset IFS
  for bmp in "$gallery"/*.bmp; do
    [ -f "$bmp" ] || continue
    if command -v convert >/dev/null 2>&1; then convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"; fi
  done
  for name in duxIPTCread duxEXIFread duxIPTCwrite duxIPTCsetVar duxGetTag about; do
    checks=$((checks + 1))
    if [ ! -s "$gallery/$name.png" ] && [ ! -s "$gallery/$name.bmp" ]; then
      failures=$((failures + 1)); echo "FAIL no screenshot of $name"
    elif [ -n "$pictures" ] && [ -f "$pictures/$name.png" ] && command -v identify >/dev/null 2>&1; then
      checks=$((checks + 1))
      new=$(identify -format '%wx%h' "$gallery/$name.png" 2>/dev/null)
      old=$(identify -format '%wx%h' "$pictures/$name.png" 2>/dev/null)
      if [ "$new" != "$old" ]; then
        failures=$((failures + 1))
        echo "FAIL $name is $new now, its picture in $pictures $old: run tools/docs/refresh-images.sh"
      fi
    fi
  done
fi

if [ "$failures" -eq 0 ]; then
  echo "[  PASSED  ] $checks dialog checks"
else
  echo "[  FAILED  ] $failures of $checks dialog checks"
  exit 1
fi
