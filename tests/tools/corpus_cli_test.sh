#!/bin/sh
# Every corpus file through `nbhost --json duxEXIFread` and `duxIPTCread`: the process must end
# normally (exit status 0 or 1, a JSON result on standard output), whatever the file holds.
# Usage: corpus_cli_test.sh NBHOST CORPUS_DIR [RUNNER]
set -u
nbhost=$1
corpus=$2
runner=${3:-}
files=0; failures=0
list=$(mktemp)
find "$corpus/files" -type f | sort > "$list"
while IFS= read -r file; do
  for action in duxEXIFread duxIPTCread; do
    out=$(timeout 120 $runner "$nbhost" --json "$action" "$file" 2>/dev/null)
    status=$?
    case "$status:$out" in
      0:'{"action": '*|1:'{"action": '*) ;;
      *) failures=$((failures + 1)); echo "FAIL $action $file: exit status $status" ;;
    esac
  done
  files=$((files + 1))
done < "$list"
rm -f "$list"
echo "corpus through nbhost: $files files, $failures failures"
[ "$files" -gt 160 ] && [ "$failures" -eq 0 ] && echo "[  PASSED  ]"
exit "$failures"
