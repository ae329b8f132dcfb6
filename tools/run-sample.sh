#!/bin/sh
# Sets up a fresh Debian 12 machine for the native build, builds the plug-in and the
# command-line host, and runs the main job through nbhost on the bundled sample.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ "$(id -u)" = 0 ]; then ./tools/ci/install-deps.sh --native; else sudo ./tools/ci/install-deps.sh --native; fi >/dev/null
cmake -S . -B build/sample -G Ninja -DCMAKE_BUILD_TYPE=Release -DDUX_BUILD_TESTS=OFF -DDUX_BUILD_BENCHMARK=OFF >/dev/null
cmake --build build/sample >/dev/null
./build/sample/bin/nbhost duxIPTCread samples/sample.jpg
./build/sample/bin/nbhost duxEXIFread samples/sample.jpg
