#!/bin/sh
# Installs every Debian package the builds and tests need on a fresh Debian 12 machine: both
# Windows toolchains, 64-bit Wine, and 32-bit Wine where the machine starts 32-bit programs (it
# cannot run elsewhere), so that each Windows suite the machine can run can run by hand.
# Run as root. Safe to run again. With --native, only what the native build and the sample need.
set -eu
export DEBIAN_FRONTEND=noninteractive
# A mirror in the middle of a sync serves index files that do not match their release file, and
# a download can break off: the update is tried again a few times, each download too. If an index
# still fails, apt keeps the ones it has; the install then says whether what it needs is there.
update() {
  for attempt in 1 2 3; do
    apt-get -o Acquire::Retries=3 update && return 0
    [ "$attempt" = 3 ] || { echo "apt-get update failed (attempt $attempt of 3); trying again in 30 s" >&2; sleep 30; }
  done
  echo "apt-get update failed three times; installing from the package lists there are" >&2
}
if [ "${1:-}" = --native ]; then
  update
  apt-get -o Acquire::Retries=3 install -y --no-install-recommends g++ cmake ninja-build libjpeg62-turbo-dev libpng-dev libpugixml-dev libmd-dev
  exit 0
fi
wine32=""
if "$(dirname "$0")/can-run-32bit.sh"; then
  wine32=wine32:i386
  dpkg --add-architecture i386
fi
if [ ! -f /etc/apt/sources.list.d/debian-src.sources ]; then
  mirror=$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
  [ -n "$mirror" ] || mirror=http://deb.debian.org/debian
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$mirror" > /etc/apt/sources.list.d/debian-src.sources
fi
# Everything but 32-bit Wine.
packages="build-essential g++ clang libclang-rt-14-dev clang-format clang-tidy cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  libjpeg62-turbo-dev libpng-dev libjpeg-turbo-progs libpugixml-dev libmd-dev
  libimage-exiftool-perl exiv2 libexiv2-dev libexif-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix nasm dpkg-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  wine wine64 xvfb xauth fonts-wine fonts-liberation imagemagick-6.q16
  python3 ca-certificates"
install() { apt-get -o Acquire::Retries=3 install -y --no-install-recommends "$@"; }
update
# shellcheck disable=SC2086 # the list is words
[ -n "$wine32" ] || { install $packages; exit 0; }
# wine32:i386 needs the i386 builds of the libraries it shares with the rest at the very versions
# installed for amd64. While a mirror syncs, one architecture's index can lag the other's (an i386
# security index of the wrong size, say), and then no i386 build matches. The lists are fetched
# once more after a pause; if that does not mend it, everything else is installed, and the Windows
# suite runs 64-bit, as on a machine that cannot start 32-bit programs (test-all.sh looks for
# 32-bit Wine).
for attempt in 1 2; do
  # shellcheck disable=SC2086
  install $packages "$wine32" && exit 0
  [ "$attempt" = 2 ] || { echo "32-bit Wine cannot be installed from these package lists; fetching them again in 60 s" >&2; sleep 60; update; }
done
# shellcheck disable=SC2086
install $packages
echo "32-bit Wine is not installed: its i386 libraries do not match the installed amd64 ones in these package lists" >&2
