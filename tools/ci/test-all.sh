#!/bin/sh
# Sets up a fresh Debian 12 machine, then builds and tests everything:
#   1. a Clang build with AddressSanitizer and UndefinedBehaviorSanitizer running the whole suite,
#   2. a GCC release build running the whole suite,
#   3. the fuzz targets (Clang, libFuzzer) for a minute each,
#   4. the 32-bit Windows build (mingw-w64) running the whole suite under Wine and Xvfb,
#      with screenshots of the controls and dialogs kept in build/gallery and build/windows/gallery.
# Ends with one summary line; the exit status is 0 only when every part passed.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
log() { printf '\n=== %s\n' "$*"; }
sudo_if_needed() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

log "installing packages"
sudo_if_needed ./tools/ci/install-deps.sh >build-deps.log 2>&1 || { cat build-deps.log; echo "SUMMARY: package installation failed"; exit 1; }
./tools/ci/build-libjpeg-mingw.sh deps || { echo "SUMMARY: libjpeg for Windows failed to build"; exit 1; }

results=""
failed=0
step() {  # name command...
  name=$1; shift
  log "$name"
  if "$@"; then results="$results $name=ok"; else results="$results $name=FAILED"; failed=1; fi
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
# Each fuzz target for a minute, seeded from the shared corpus.
step fuzz ./tools/fuzz/run-fuzzers.sh 60
# Permission refusals only show without administrator rights: run the suites once more so.
if [ "$(id -u)" = 0 ] && id nobody >/dev/null 2>&1; then
  step test-unprivileged runuser -u nobody -- env TMPDIR=/tmp sh -c \
    'build/release/bin/dux_tests >/tmp/dux-unprivileged.log 2>&1 && build/release/bin/dux_plugin_tests >>/tmp/dux-unprivileged.log 2>&1 || { cat /tmp/dux-unprivileged.log; exit 1; }; grep -c "PASSED" /tmp/dux-unprivileged.log'
fi
step build-windows sh -c "cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DDUX_JPEG_PREFIX='$root/deps/jpeg-i686' -DCMAKE_BUILD_TYPE=Release >/dev/null && cmake --build build/windows -j$(nproc)"
# One Xvfb for the whole Wine run; wait for wineserver before Xvfb goes away.
step test-windows env DUX_GALLERY_DIR="Z:$root/build/gallery/windows" xvfb-run -a -s "-screen 0 1024x768x24" sh -c \
  '. ./tools/ci/wine-env.sh; cd build/windows && timeout 3000 ctest --output-on-failure; rc=$?; wineserver -w; exit $rc'
for bmp in build/gallery/windows/*.bmp; do [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"; done
log "galleries: build/gallery/native, build/gallery/windows, build/windows/gallery/dialogs"

echo
if [ $failed -eq 0 ]; then
  echo "SUMMARY: all passed:$results"
else
  echo "SUMMARY: FAILED:$results"
fi
exit $failed
