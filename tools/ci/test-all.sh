#!/bin/sh
# Sets up a fresh Debian 12 machine, then builds and tests everything:
#   1. a Clang build with AddressSanitizer and UndefinedBehaviorSanitizer running the whole suite,
#   2. a GCC release build running the whole suite,
#   3. the fuzz targets (Clang, libFuzzer) for a minute each,
#   4. the 32-bit Windows build (mingw-w64), the product, checked from outside (format, exports,
#      imports, version resource),
#   5. the whole suite under Wine and Xvfb: the 32-bit build where the machine can start 32-bit
#      programs, otherwise the same code built for 64-bit Windows under 64-bit Wine; screenshots
#      of the controls and dialogs are kept in build/gallery and build/windows*/gallery.
# Ends with one summary line; the exit status is 0 only when every part passed.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
log() { printf '\n=== %s\n' "$*"; }
sudo_if_needed() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

log "installing packages"
sudo_if_needed ./tools/ci/install-deps.sh >build-deps.log 2>&1 || { cat build-deps.log; echo "SUMMARY: package installation failed"; exit 1; }

results=""
failed=0
step_note=""
step() {  # name command...; $step_note, when set, says in the summary what ran
  name=$1; shift
  log "$name${step_note:+ ($step_note)}"
  if "$@"; then status=ok; else status=FAILED; failed=1; fi
  results="$results $name=$status${step_note:+($step_note)}"
  step_note=""
}

build_native() {  # dir compiler extra-args...
  dir=$1; cxx=$2; shift 2
  cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" "$@" >/dev/null &&
    cmake --build "$dir" -j"$(nproc)"
}
test_dir() { (cd "$1" && ctest --output-on-failure -j"$(nproc)"); }

step build-sanitized build_native build/sanitized clang++ -DCMAKE_C_COMPILER=clang -DCMAKE_BUILD_TYPE=Debug -DDUX_SANITIZE=ON
step test-sanitized env ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 sh -c 'cd build/sanitized && ctest --output-on-failure -j2'
step build-release build_native build/release g++ -DCMAKE_BUILD_TYPE=Release
# The release run also keeps the picture gallery of the controls and dialogs for people to see.
step test-release env DUX_GALLERY_DIR="$root/build/gallery/native" sh -c 'cd build/release && ctest --output-on-failure -j2'
# Each fuzz target for a minute, seeded from the test corpus.
step fuzz ./tools/fuzz/run-fuzzers.sh 60
# Permission refusals only show without administrator rights: run the suites once more so.
if [ "$(id -u)" = 0 ] && id nobody >/dev/null 2>&1; then
  step test-unprivileged runuser -u nobody -- env TMPDIR=/tmp sh -c \
    'build/release/bin/dux_tests >/tmp/dux-unprivileged.log 2>&1 && build/release/bin/dux_bounds_tests >>/tmp/dux-unprivileged.log 2>&1 && build/release/bin/dux_plugin_tests >>/tmp/dux-unprivileged.log 2>&1 || { cat /tmp/dux-unprivileged.log; exit 1; }; grep -c "PASSED" /tmp/dux-unprivileged.log'
fi
# The product is the 32-bit DLL: build it on every machine and check it from outside.
build_windows() {  # dir arch
  ./tools/ci/build-deps-mingw.sh deps "$2" &&
    cmake -S . -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$2.cmake" \
      -DDUX_WINDOWS_DEPS="$root/deps/mingw-$2" -DCMAKE_BUILD_TYPE=Release >/dev/null &&
    cmake --build "$1" -j"$(nproc)"
}
step build-windows build_windows build/windows i686
step check-product sh tests/tools/exports_test.sh build/windows/bin/duxIPTC.nbp i686
# The Windows suite runs under Wine: 32-bit where this machine starts 32-bit programs and 32-bit
# Wine could be installed, otherwise the same code built for 64-bit Windows under 64-bit Wine.
# DUX_WINDOWS_BITS=32 or 64 chooses.
case "${DUX_WINDOWS_BITS:-}" in
  32|64) bits=$DUX_WINDOWS_BITS; why="$bits-bit, chosen by DUX_WINDOWS_BITS" ;;
  *) if ! ./tools/ci/can-run-32bit.sh build; then bits=64; why="64-bit; no 32-bit support on this machine"
     elif [ ! -x /usr/lib/wine/wine ]; then bits=64; why="64-bit; 32-bit Wine could not be installed, see build-deps.log"
     else bits=32; why=32-bit; fi ;;
esac
windows_dir=build/windows
if [ "$bits" = 64 ]; then
  windows_dir=build/windows64
  step build-windows64 build_windows build/windows64 x86_64
fi
# One Xvfb for the whole Wine run; wait for wineserver before Xvfb goes away.
step_note=$why
step test-windows env DUX_WINE_BITS="$bits" DUX_GALLERY_DIR="Z:$root/build/gallery/windows" \
  xvfb-run -a -s "-screen 0 1024x768x24" sh -c \
  '. ./tools/ci/wine-env.sh; cd "$1" && timeout 3000 ctest --output-on-failure; rc=$?; "$DUX_WINESERVER" -w; exit $rc' \
  sh "$windows_dir"
for bmp in build/gallery/windows/*.bmp; do [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"; done
log "galleries: build/gallery/native, build/gallery/windows, $windows_dir/gallery/dialogs"

echo
if [ $failed -eq 0 ]; then
  echo "SUMMARY: all passed:$results"
else
  echo "SUMMARY: FAILED:$results"
fi
exit $failed
