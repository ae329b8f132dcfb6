#!/bin/sh
# Builds a static libjpeg-turbo for i686-w64-mingw32 from Debian's source package.
# Usage: build-libjpeg-mingw.sh DEPS_DIR   -> DEPS_DIR/jpeg-i686/{include,lib/libjpeg.a}
set -eu
deps=$(realpath -m "${1:?usage: $0 DEPS_DIR}")
here=$(dirname "$(realpath "$0")")
if [ -f "$deps/jpeg-i686/lib/libjpeg.a" ]; then
  echo "libjpeg for i686 already in $deps/jpeg-i686"; exit 0
fi
mkdir -p "$deps"
cd "$deps"
rm -rf libjpeg-turbo-src libjpeg-turbo-2.* build-jpeg-i686
apt-get source libjpeg-turbo >/dev/null
mv libjpeg-turbo-2.* libjpeg-turbo-src
cmake -S libjpeg-turbo-src -B build-jpeg-i686 -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/../../cmake/mingw-i686.cmake" -DCMAKE_CROSSCOMPILING_EMULATOR= \
  -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON \
  -DCMAKE_INSTALL_PREFIX="$deps/jpeg-i686" >/dev/null
cmake --build build-jpeg-i686 -j"$(nproc)" >/dev/null
cmake --install build-jpeg-i686 >/dev/null
echo "libjpeg for i686 installed in $deps/jpeg-i686"
