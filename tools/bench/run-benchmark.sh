#!/bin/sh
# Builds the native release and runs the speed comparison: reading against libexiv2, libexif
# and the 64 KB I/O floor (page cache warm and cold), writing against a flushed copy, and the
# peak memory of each. Every workload runs five times in a shuffled order and the table takes
# the medians. Extra arguments go to Google Benchmark (e.g. --benchmark_min_time=1).
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/release" --target dux_benchmark >/dev/null
exec "$root/build/release/bin/dux_benchmark" --benchmark_min_time=0.3 --benchmark_repetitions=5 \
  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=false "$@"
