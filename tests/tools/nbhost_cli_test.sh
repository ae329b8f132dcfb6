#!/bin/sh
# Checks nbhost's command line against the plug-in: the announcements, the output forms and
# the exit statuses. Usage: nbhost_cli_test.sh NBHOST [RUNNER]  (RUNNER e.g. wine)
set -u
nbhost=$1
runner=${2:-}
failures=0; checks=0
run() { $runner "$nbhost" "$@" 2>/dev/null | tr -d '\r'; }
check() {  # name expected actual
  checks=$((checks + 1))
  if [ "$2" != "$3" ]; then
    failures=$((failures + 1))
    printf 'FAIL %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"
  fi
}
status() { $runner "$nbhost" "$@" >/dev/null 2>&1; echo $?; }

expected_list='0 "IPTC-Info" "" [0] 0
1 "duxIPTCread" "Reads IPTC-Info from a JPG-file!" [1] 1
2 "duxIPTCwrite" "Writes IPTC-Info from a JPG-file!" [1, 1] 2
3 "duxIPTCsetVar" "Set a variable for the plugin or any other variable." [6, 1] 2
4 ".duxIPTCvarTemplate" "Insert a variable template with all plugin variables." [1] 1
0 "EXIF-Info" "" [0] 0
5 "duxEXIFread" "Reads EXIF-Info from a JPG-file!" [1] 1
6 "duxGetTag" "Find a line with a tag-string and get line or field out of a string/file." [1, 1, 1, 3, 6] 5'
check "--list" "$expected_list" "$(run --list)"
check "--list --json count" 8 "$(run --list --json | grep -o '"number"' | wc -l | tr -d ' ')"
check "--info" "title=duxIPTC 1.09" "$(run --info | head -1)"
check "template action by name answers false" '{"action": ".duxIPTCvarTemplate", "result": false, "set": []}' \
  "$(run --json .duxIPTCvarTemplate x)"
check "exit status of a false action" 1 "$(status 4)"
check "exit status of an unknown option" 2 "$(status --bogus)"
check "exit status of an unknown action" 2 "$(status noSuchAction)"
check "exit status without an action" 2 "$(status --json)"
check "exit status of a missing library" 2 "$(status --lib does-not-exist.nbp --list)"
check "message 1 names the library" 1 "$(run --message 1 | grep -c '^\[\*/\*duxIPTCDllName\]=.*duxIPTC\.nbp$')"

check "--cmdlist in list form" '(list (list "duxIPTCread" "1" 1)(list "duxIPTCwrite" "2" 2)(list "duxIPTCsetVar" "3" 2)(list "duxEXIFread" "5" 1)(list "duxGetTag" "6" 5))' "$(run --cmdlist lisp)"
check "--cmdlist in line form" "$(printf 'duxIPTCread|1|1\nduxIPTCwrite|2|2\nduxIPTCsetVar|3|2\nduxEXIFread|5|1\nduxGetTag|6|5')" "$(run --cmdlist other)"
check "--exec runs a command" '[Greeting]=Grüße' "$(run --exec 3 Greeting Grüße)"
check "--exec with a bad number" 1 "$(status --exec x)"

# A file is known by its content, whatever its name says: a name beyond ASCII (which the host
# hands over in code page 1252) and a name without an extension read as the sample does.
sample=$(cd "$(dirname "$0")/../../samples" && pwd)/sample.jpg
work=$(mktemp -d)
cp "$sample" "$work/Café_crème.jpg"
cp "$sample" "$work/photo"
caption=$(run duxIPTCread "$sample" | grep '^\[duxIPTC_ImageCaption\]')
check "a Latin-1 name reads" "$caption" "$(run duxIPTCread "$work/Café_crème.jpg" | grep '^\[duxIPTC_ImageCaption\]')"
check "a name without an extension reads" "$caption" "$(run duxIPTCread "$work/photo" | grep '^\[duxIPTC_ImageCaption\]')"
check "its EXIF too" 0 "$(status duxEXIFread "$work/photo")"
rm -rf "$work"

echo "nbhost command line: $checks checks, $failures failed"
[ "$failures" -eq 0 ] && echo "[  PASSED  ]"
exit "$failures"
