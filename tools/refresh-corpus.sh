#!/bin/sh
# Refreshes the project's copy of the test corpus (tests/data/corpus) from the team's shared
# corpus, so that a clone with nothing beside it passes its tests. Run it when the shared corpus
# grows, then commit the result.
# Usage: tools/refresh-corpus.sh [SHARED_CORPUS]   (default: ../shared/corpus beside the project)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
source=${1:-$root/../shared/corpus}
target=$root/tests/data/corpus
for need in MANIFEST.tsv SOURCES.md files oracle; do
  [ -e "$source/$need" ] || { echo "no $need in $source: not a corpus" >&2; exit 1; }
done
rm -rf "$target/files" "$target/oracle"
mkdir -p "$target"
cp -R "$source/files" "$source/oracle" "$target/"
cp "$source/MANIFEST.tsv" "$source/SOURCES.md" "$target/"
echo "$(find "$target/files" -type f | wc -l) files copied from $source to $target"
