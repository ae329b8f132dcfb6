#!/bin/sh
# Builds the libFuzzer targets (Clang, ASan, UBSan) and runs each for SECONDS, seeded from the
# test corpus, two at a time. Found inputs land in build/fuzz/artifacts/<target>/; copy each
# into tests/regress/fuzz/<target>/ once it is fixed. Exit status 1 when anything was found.
# Usage: tools/fuzz/run-fuzzers.sh SECONDS [TARGET...]   (targets: JpegScan TiffScan IptcRoundTrip Xmp TagSearch Bmff Riff Png)
set -u
seconds=${1:?usage: $0 SECONDS [TARGET...]}
shift
targets=${*:-JpegScan TiffScan IptcRoundTrip Xmp TagSearch Bmff Riff Png}
root=$(cd "$(dirname "$0")/../.." && pwd)
corpus=$(cd "$root/tests/data/corpus/files" && pwd)
out=$root/build/fuzz
cmake -S "$root" -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DDUX_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 2
cmake --build "$out" >/dev/null || exit 2

app1_payloads() {  # folder signature extension: each corpus JPEG's APP1 payloads of that signature,
  # without it, as NAME.extension
  python3 - "$corpus" "$1" "$2" "$3" <<'PY'
import os, struct, sys
corpus, out, signature, extension = sys.argv[1:5]
signature = signature.encode().decode("unicode_escape").encode("latin-1")
for d, _, names in os.walk(corpus):
    for name in names:
        data = open(os.path.join(d, name), "rb").read()
        pos = 2
        while data[:2] == b"\xff\xd8" and pos + 4 <= len(data) and data[pos] == 0xFF:
            length = struct.unpack(">H", data[pos + 2:pos + 4])[0]
            payload = data[pos + 4:pos + 2 + length]
            if data[pos + 1] == 0xE1 and payload.startswith(signature):
                open(os.path.join(out, name + "." + extension), "wb").write(payload[len(signature):])
            if data[pos + 1] == 0xDA:
                break
            pos += 2 + length
PY
}

seed() {  # target -> its seed folder, filled from the corpus (copies stay in the build folder)
  dir=$out/seeds/$1
  rm -rf "$dir" && mkdir -p "$dir"
  case $1 in
    TiffScan)  # TIFF files, and the TIFF data of every JPEG's EXIF: each make's maker note
      find "$corpus" -type f \( -iname '*.tif' -o -iname '*.tiff' -o -iname '*.nef' -o -path '*malformed*' \) \
        -exec cp {} "$dir" \;
      app1_payloads "$dir" 'Exif\x00\x00' tiff
      ;;
    Xmp)  # the XMP packets of the corpus's JPEGs, and the hostile ones kept for regressions
      app1_payloads "$dir" 'http://ns.adobe.com/xap/1.0/\x00' xmp
      cp "$root/tests/regress/fuzz/Xmp/"* "$dir" ;;
    TagSearch)
      printf 'Name=Joe\r\nCity=Rome\000City\000=\0002' > "$dir/basic"
      printf 'a\nName=Joe\000Name\000=\0000' > "$dir/start"
      printf 'AXbxc\000A\000X\0003' > "$dir/case"
      printf '\000\000\0000' > "$dir/empty" ;;
    *) find "$corpus" -type f -exec cp {} "$dir" \; ;;
  esac
  echo "$dir"
}

run() {  # target
  work=$out/work/$1
  artifacts=$out/artifacts/$1
  mkdir -p "$work" "$artifacts"
  "$out/bin/fuzz_$1" "$work" "$(seed "$1")" -dict="$root/tests/fuzz/fuzz.dict" \
    -max_total_time="$seconds" -max_len=262144 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$artifacts/" -print_final_stats=1 >"$out/$1.log" 2>&1
  echo "$1: exit $?; $(grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$out/$1.log" | tail -1)"
}

pids=""
for target in $targets; do
  run "$target" &
  pids="$pids $!"
  if [ "$(echo "$pids" | wc -w)" -ge "$(nproc)" ]; then wait $pids; pids=""; fi
done
wait $pids

found=$(find "$out/artifacts" -type f 2>/dev/null | wc -l)
echo "fuzzing: $found input(s) found; logs in $out/*.log"
[ "$found" -eq 0 ]
