#!/bin/sh
# Builds a static libjpeg-turbo for Windows with mingw-w64 from Debian's source package.
# Usage: build-libjpeg-mingw.sh DEPS_DIR [i686|x86_64]
#   -> DEPS_DIR/jpeg-ARCH/{include,lib/libjpeg.a}; the architecture defaults to i686.
set -eu
deps=$(realpath -m "${1:?usage: $0 DEPS_DIR [i686|x86_64]}")
arch=${2:-i686}
case "$arch" in
  i686|x86_64) ;;
  *) echo "unknown architecture $arch: i686 or x86_64" >&2; exit 2 ;;
esac
here=$(dirname "$(realpath "$0")")
if [ -f "$deps/jpeg-$arch/lib/libjpeg.a" ]; then
  echo "libjpeg for $arch already in $deps/jpeg-$arch"; exit 0
fi
mkdir -p "$deps"
cd "$deps"
if [ ! -f libjpeg-turbo-src/CMakeLists.txt ]; then
  rm -rf libjpeg-turbo-src libjpeg-turbo-2.*
  apt-get source libjpeg-turbo >/dev/null
  mv libjpeg-turbo-2.* libjpeg-turbo-src
fi
rm -rf "build-jpeg-$arch"
cmake -S libjpeg-turbo-src -B "build-jpeg-$arch" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/../../cmake/mingw-$arch.cmake" -DCMAKE_CROSSCOMPILING_EMULATOR= \
  -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON \
  -DCMAKE_INSTALL_PREFIX="$deps/jpeg-$arch" -Wno-dev >/dev/null
cmake --build "build-jpeg-$arch" -j"$(nproc)" >/dev/null
cmake --install "build-jpeg-$arch" >/dev/null
echo "libjpeg for $arch installed in $deps/jpeg-$arch"
