#!/bin/sh
# Makes the README's pictures of the dialogs anew: runs the dialogs test of a Windows build under
# Wine (it types into each action editor, opens the about box and screenshots them) and copies
# the screenshots into docs/images. Run it after a change to a dialog, then commit the pictures;
# the Windows suite fails while a picture's size differs from its dialog's.
# Usage: tools/docs/refresh-images.sh [BUILD]   (default: build/windows, built by tools/ci/test-all.sh)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/windows}
[ -f "$build/CTestTestfile.cmake" ] || { echo "no Windows build in $build" >&2; exit 1; }
bits=32
"$root/tools/ci/can-run-32bit.sh" || bits=64
rm -rf "$build/gallery/dialogs"
cd "$root"
DUX_WINE_BITS=$bits xvfb-run -a -s "-screen 0 1024x768x24" sh -c \
  ". ./tools/ci/wine-env.sh; cd '$build' && ctest -R '^dialogs' --output-on-failure; \"\$DUX_WINESERVER\" -w" || true
for name in duxIPTCread duxIPTCwrite duxIPTCsetVar duxEXIFread duxGetTag about; do
  [ -s "$build/gallery/dialogs/$name.png" ] || { echo "no screenshot of $name" >&2; exit 1; }
  cp "$build/gallery/dialogs/$name.png" "$root/docs/images/$name.png"
done
echo "pictures in $root/docs/images"
