#!/bin/sh
# Runs the README's nbhost script (the block after "<!-- readme-script -->") as a reader would,
# from the repository's root with nbhost on the PATH, and checks what it promises: the camera's
# model found, and the new caption read back from the written file.
# Usage: readme_script_test.sh NBHOST ROOT
set -u
nbhost=$1
root=$2
# The script's files go to a folder of this run's own, not to /tmp where another user's may stand.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
script=$(sed -n '/<!-- readme-script -->/,/^```$/p' "$root/README.md" | sed '1,2d;$d' | sed "s|/tmp/|$work/|g")
[ -n "$script" ] || { echo "FAIL no readme-script block in README.md"; exit 1; }
output=$(cd "$root" && PATH="$(dirname "$nbhost"):$PATH" sh -ec "$script" 2>&1) || {
  printf 'FAIL the README script stopped:\n%s\n' "$output"; exit 1; }
failures=0
for want in '[Camera]=Sample Camera' '[duxIPTC_ImageCaption]=Sunset over the harbour'; do
  printf '%s\n' "$output" | grep -qxF -- "$want" || { echo "FAIL no line $want"; failures=1; }
done
if [ "$failures" -eq 0 ]; then echo "[  PASSED  ] the README's script"; else printf '%s\n' "$output"; exit 1; fi
