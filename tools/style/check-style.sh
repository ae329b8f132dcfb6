#!/bin/sh
# The house style, checked: every source as clang-format writes it (.clang-format), and no
# function in metadata/ longer than 60 lines (clang-tidy, with BUILD_DIR's compile commands).
# Prints each file or function that is off and exits 1; "[  PASSED  ] style" when none is.
# Usage: tools/style/check-style.sh BUILD_DIR
set -u
build=${1:?usage: $0 BUILD_DIR}
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
status=0
sources() { git ls-files '*.cpp' '*.h' 2>/dev/null | grep -v '^tests/data/' || find . -name '*.cpp' -o -name '*.h' | grep -v '^./build/'; }

unformatted=$(sources | xargs clang-format --dry-run 2>&1 | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning.*/\1/p' | sort -u)
if [ -n "$unformatted" ]; then
  echo "FAIL not as clang-format writes them (clang-format -i FILE):"
  echo "$unformatted" | sed 's/^/  /'
  status=1
fi

long=$(sources | grep '^metadata/.*\.cpp$' |
  xargs -P 2 -n 4 clang-tidy -p "$build" --quiet --extra-arg=-Wno-unknown-warning-option \
    --checks='-*,readability-function-size' --header-filter='metadata/.*' \
    --config='{CheckOptions: [{key: readability-function-size.LineThreshold, value: 60}]}' 2>/dev/null |
  sed -n "s/^\([^:]*:[0-9]*\):[0-9]*: warning: function '\([^']*\)'.*/\1 \2/p" | sort -u)
if [ -n "$long" ]; then
  echo "FAIL functions of metadata/ over 60 lines:"
  echo "$long" | sed 's/^/  /'
  status=1
fi
[ "$status" = 0 ] && echo "[  PASSED  ] style"
exit "$status"
