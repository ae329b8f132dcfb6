#!/bin/sh
# Builds the static libraries the Windows build links, for mingw-w64, from Debian's source
# packages: libjpeg-turbo (frame headers) and pugixml (XMP).
# Usage: build-deps-mingw.sh DEPS_DIR [i686|x86_64]
#   -> DEPS_DIR/mingw-ARCH/{include,lib/libjpeg.a,lib/libpugixml.a}; the architecture defaults to i686.
set -eu
deps=$(realpath -m "${1:?usage: $0 DEPS_DIR [i686|x86_64]}")
arch=${2:-i686}
case "$arch" in
  i686|x86_64) ;;
  *) echo "unknown architecture $arch: i686 or x86_64" >&2; exit 2 ;;
esac
here=$(dirname "$(realpath "$0")")
toolchain="$here/../../cmake/mingw-$arch.cmake"
prefix="$deps/mingw-$arch"
mkdir -p "$deps"
cd "$deps"

# Unpacks Debian's source package `package` into `folder` once (deb-src lines are needed).
source_of() {  # package folder
  if [ ! -f "$2/CMakeLists.txt" ]; then
    rm -rf "$2" "$1"-[0-9]*
    apt-get source "$1" >/dev/null
    mv "$1"-[0-9]* "$2"
  fi
}

build() {  # name source-dir cmake-options...
  name=$1 src=$2; shift 2
  rm -rf "build-$name-$arch"
  cmake -S "$src" -B "build-$name-$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_CROSSCOMPILING_EMULATOR= -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -Wno-dev "$@" >/dev/null
  cmake --build "build-$name-$arch" -j"$(nproc)" >/dev/null
  cmake --install "build-$name-$arch" >/dev/null
}

if [ ! -f "$prefix/lib/libjpeg.a" ]; then
  source_of libjpeg-turbo libjpeg-turbo-src
  build jpeg libjpeg-turbo-src -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON
fi
if [ ! -f "$prefix/lib/libpugixml.a" ]; then
  source_of pugixml pugixml-src
  build pugixml pugixml-src -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF
fi
echo "libjpeg and pugixml for $arch in $prefix"
