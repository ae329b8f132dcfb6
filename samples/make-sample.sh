#!/bin/sh
# Makes samples/sample.jpg, the small photo the README's first command reads: a 64x48 gradient
# encoded by cjpeg, EXIF from exiftool, and an IPTC block written by the plug-in itself.
# Needs: python3, cjpeg (libjpeg-turbo-progs), exiftool, and a native build in build/release.
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
python3 - "$tmp/gradient.ppm" <<'PY'
import sys
w, h = 64, 48
pixels = bytes(v for y in range(h) for x in range(w) for v in (x * 4, y * 5, 128 + x - y))
open(sys.argv[1], "wb").write(b"P6 %d %d 255\n" % (w, h) + pixels)
PY
cjpeg -quality 85 "$tmp/gradient.ppm" > "$tmp/plain.jpg"
exiftool -q -overwrite_original -Make="duxIPTC" -Model="Sample Camera" \
  -DateTimeOriginal="2024:05:06 07:08:09" -ExposureTime=0.008 -FNumber=5.6 -ISO=200 \
  -FocalLength=35 -Flash#=0 "$tmp/plain.jpg"
../build/release/bin/nbhost \
  --set "[duxIPTC_ByLine]=Ana Müller" --set "[duxIPTC_City]=Zürich" \
  --set "[duxIPTC_ImageCaption]=A gradient that stands in for a photo." \
  --set "[duxIPTC_Keywords]=sample, gradient, New York" \
  --set "[duxIPTC_Copyright]=© 2024 duxIPTC" \
  duxIPTCwrite "$tmp/plain.jpg" sample.jpg
