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
# The project's copy holds files of its own besides (raw, HEIF, WebP and PNG files, with their
# rows and their section of SOURCES.md): the shared files are copied over it, and what the shared
# corpus does not have is kept.
mkdir -p "$target/files" "$target/oracle"
cp -R "$source/files/." "$target/files/"
cp -R "$source/oracle/." "$target/oracle/"
python3 - "$source" "$target" <<'PY'
import sys
source, target = sys.argv[1:3]
shared = open(f"{source}/MANIFEST.tsv").read().splitlines()
known = {line.split("\t")[1] for line in shared[1:] if "\t" in line}
own = [line for line in open(f"{target}/MANIFEST.tsv").read().splitlines()[1:]
       if "\t" in line and line.split("\t")[1] not in known]
open(f"{target}/MANIFEST.tsv", "w").write("\n".join(shared + own) + "\n")
marker = "\n## Files of other kinds"
mine = open(f"{target}/SOURCES.md").read()
section = mine[mine.index(marker):] if marker in mine else ""
open(f"{target}/SOURCES.md", "w").write(open(f"{source}/SOURCES.md").read().rstrip("\n") + "\n" + section)
PY
echo "$(find "$target/files" -type f | wc -l) files in $target after copying $source"
