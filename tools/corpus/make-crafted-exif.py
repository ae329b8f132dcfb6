#!/usr/bin/env python3
"""Writes the crafted EXIF files of the corpus: tags that few real files of known licence hold.

  exif30_utf8-lens-offsets.jpg  EXIF 3.0: UTF-8 (type 129) texts, the people and programs, time
                                offsets, a lens block, the sensitivities, the environment, a
                                composite image, XP and UNICODE texts, GPS version and error
  codes_NN.jpg                  every code of every coded tag: file NN gives each tag its NN-th
                                code (its last one once its list is done)

Each file is a 16x16 grey JPEG from ImageMagick's `convert` with the EXIF APP1 put after SOI.
Usage: tools/corpus/make-crafted-exif.py OUTPUT_FOLDER
"""
import struct
import subprocess
import sys
import tempfile

ASCII, SHORT, LONG, RATIONAL, UNDEFINED, SRATIONAL, BYTE, UTF8 = 2, 3, 4, 5, 7, 10, 1, 129


def entry(tag, type_, value):
    """One entry; value: bytes for texts and undefined, a list of numbers (pairs for rationals)."""
    if type_ in (ASCII, UTF8, UNDEFINED, BYTE) and isinstance(value, (bytes, bytearray)):
        data = bytes(value) + (b"\0" if type_ in (ASCII, UTF8) else b"")
        return tag, type_, len(data), data
    if type_ == BYTE:
        return tag, type_, len(value), bytes(value)
    if type_ == SHORT:
        return tag, type_, len(value), b"".join(struct.pack("<H", v) for v in value)
    if type_ == LONG:
        return tag, type_, len(value), b"".join(struct.pack("<I", v) for v in value)
    if type_ in (RATIONAL, SRATIONAL):
        f = "<ii" if type_ == SRATIONAL else "<II"
        return tag, type_, len(value), b"".join(struct.pack(f, *v) for v in value)
    raise ValueError(type_)


def tiff(ifd0, exif, gps):
    """Little-endian TIFF: IFD0 (with pointers to the Exif and GPS IFDs), no IFD1."""
    out = bytearray(b"II*\0" + struct.pack("<I", 8))
    layout = []  # (ifd entries, position of its table)

    def size(entries):
        return 2 + 12 * len(entries) + 4

    ifd0 = sorted(ifd0 + [entry(0x8769, LONG, [0]), entry(0x8825, LONG, [0])])
    exif, gps = sorted(exif), sorted(gps)
    pos0 = 8
    pos_exif = pos0 + size(ifd0)
    pos_gps = pos_exif + size(exif)
    data_pos = pos_gps + size(gps)
    ifd0 = [e if e[0] not in (0x8769, 0x8825) else
            entry(e[0], LONG, [pos_exif if e[0] == 0x8769 else pos_gps]) for e in ifd0]
    blobs = bytearray()
    for entries in (ifd0, exif, gps):
        table = bytearray(struct.pack("<H", len(entries)))
        for tag, type_, count, data in entries:
            if len(data) <= 4:
                field = data.ljust(4, b"\0")
            else:
                field = struct.pack("<I", data_pos + len(blobs))
                blobs += data + (b"\0" if len(data) % 2 else b"")
            table += struct.pack("<HHI", tag, type_, count) + field
        table += struct.pack("<I", 0)
        layout.append(table)
    for table in layout:
        out += table
    assert len(out) == data_pos
    return bytes(out + blobs)


def jpeg(tiff_bytes):
    with tempfile.NamedTemporaryFile(suffix=".jpg") as grey:
        subprocess.run(["convert", "-size", "16x16", "xc:gray", "-strip", grey.name], check=True)
        image = open(grey.name, "rb").read()
    app1 = b"Exif\0\0" + tiff_bytes
    return image[:2] + b"\xff\xe1" + struct.pack(">H", len(app1) + 2) + app1 + image[2:]


def exif30():
    u = lambda text: text.encode("utf-8")
    ifd0 = [
        entry(0x010F, ASCII, b"Crafted"),
        entry(0x0110, ASCII, b"EXIF 3.0 sample"),
        entry(0x010E, UTF8, u("Krak\u00f3w \u2013 \u6771\u4eac at dusk")),
        entry(0x013B, UTF8, u("Zo\u00eb M\u00fcller")),
        entry(0x8298, ASCII, u("\u00a9 2026 Zo\u00eb M\u00fcller")),
        entry(0x9C9B, BYTE, "Caf\u00e9 \u20ac5\0".encode("utf-16-le")),
    ]
    exif = [
        entry(0x9000, UNDEFINED, b"0300"),
        entry(0x9003, ASCII, b"2026:06:21 21:30:00"),
        entry(0x9010, ASCII, b"+02:00"),
        entry(0x9011, ASCII, b"+02:00"),
        entry(0x9012, ASCII, b"-05:30"),
        entry(0x920A, RATIONAL, [(35, 1)]),
        entry(0xA002, LONG, [6000]),
        entry(0xA003, LONG, [4000]),
        entry(0xA20E, RATIONAL, [(6000000, 35900)]),
        entry(0xA20F, RATIONAL, [(4000000, 23900)]),
        entry(0xA210, SHORT, [4]),  # millimetres
        entry(0x8830, SHORT, [2]),
        entry(0x8832, LONG, [400]),
        entry(0x8833, LONG, [400]),
        entry(0xA430, UTF8, u("Zo\u00eb M\u00fcller")),
        entry(0xA431, ASCII, b"2026-0042"),
        entry(0xA432, RATIONAL, [(24, 1), (70, 1), (28, 10), (28, 10)]),
        entry(0xA433, ASCII, b"Crafted Optics"),
        entry(0xA434, UTF8, u("Zoom 24\u201370 mm F2.8")),
        entry(0xA435, ASCII, b"L-77"),
        entry(0xA436, UTF8, u("Abendd\u00e4mmerung")),
        entry(0xA437, UTF8, u("Zo\u00eb M\u00fcller")),
        entry(0xA438, UTF8, u("Ren\u00e9e Dubois")),
        entry(0xA439, ASCII, b"Firmware 1.2.3"),
        entry(0xA43A, ASCII, b"Raw Developer 5"),
        entry(0xA43B, ASCII, b"Image Editor 7"),
        entry(0xA43C, ASCII, b"Metadata Editor 2"),
        entry(0xA460, SHORT, [3]),
        entry(0xA461, SHORT, [5, 3]),
        entry(0xA500, RATIONAL, [(22, 10)]),
        entry(0x9400, SRATIONAL, [(-55, 10)]),
        entry(0x9401, RATIONAL, [(655, 10)]),
        entry(0x9402, RATIONAL, [(10132, 10)]),
        entry(0x9403, SRATIONAL, [(-25, 10)]),
        entry(0x9405, SRATIONAL, [(-15, 1)]),
        entry(0x9286, UNDEFINED, b"UNICODE\0" + "Gr\u00fc\u00dfe \u2013 \u6771\u4eac".encode("utf-16-le")),
        entry(0xA300, UNDEFINED, b"\x03"),
        entry(0xA301, UNDEFINED, b"\x01"),
        entry(0xA001, SHORT, [65535]),
    ]
    gps = [
        entry(0x0000, BYTE, [2, 3, 0, 0]),
        entry(0x0005, BYTE, [1]),
        entry(0x0006, RATIONAL, [(86, 1)]),
        entry(0x001B, UNDEFINED, b"ASCII\0\0\0FUSED"),
        entry(0x001E, SHORT, [1]),
        entry(0x001F, RATIONAL, [(5, 1)]),
    ]
    return jpeg(tiff(ifd0, exif, gps))


# The coded tags and their codes, as the EXIF standard lists them.
CODES = {
    (0, 0x0103): list(range(1, 11)) + [32773, 32946, 34712, 34892],  # Compression
    (0, 0x0106): [0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 32803, 34892],  # PhotometricInterpretation
    (0, 0x0112): list(range(1, 9)),  # Orientation
    (0, 0x0128): [1, 2, 3],  # ResolutionUnit
    (0, 0x0213): [1, 2],  # YCbCrPositioning
    (1, 0x8822): list(range(0, 9)),  # ExposureProgram
    (1, 0x8830): list(range(0, 8)),  # SensitivityType
    (1, 0x9207): list(range(0, 7)) + [255],  # MeteringMode
    (1, 0x9208): list(range(0, 5)) + list(range(9, 25)) + [255],  # LightSource
    (1, 0xA001): [1, 2, 65535],  # ColorSpace
    (1, 0xA210): [1, 2, 3],  # FocalPlaneResolutionUnit
    (1, 0xA217): [1, 2, 3, 4, 5, 7, 8],  # SensingMethod
    (1, 0xA300): [0, 1, 2, 3],  # FileSource (UNDEFINED)
    (1, 0xA301): [1],  # SceneType (UNDEFINED)
    (1, 0xA401): [0, 1],  # CustomRendered
    (1, 0xA402): [0, 1, 2],  # ExposureMode
    (1, 0xA403): [0, 1],  # WhiteBalance
    (1, 0xA406): [0, 1, 2, 3, 4],  # SceneCaptureType
    (1, 0xA407): [0, 1, 2, 3, 4],  # GainControl
    (1, 0xA408): [0, 1, 2],  # Contrast
    (1, 0xA409): [0, 1, 2],  # Saturation
    (1, 0xA40A): [0, 1, 2],  # Sharpness
    (1, 0xA40C): [0, 1, 2, 3],  # SubjectDistanceRange
    (1, 0xA460): [0, 1, 2, 3],  # CompositeImage
    (2, 0x0005): [0, 1],  # GPSAltitudeRef (BYTE)
    (2, 0x001E): [0, 1],  # GPSDifferential
}


def codes(k):
    dirs = ([], [], [])
    for (d, tag), values in CODES.items():
        value = values[min(k, len(values) - 1)]
        if tag in (0xA300, 0xA301):
            dirs[d].append(entry(tag, UNDEFINED, bytes([value])))
        elif tag == 0x0005:
            dirs[d].append(entry(tag, BYTE, [value]))
        else:
            dirs[d].append(entry(tag, SHORT, [value]))
    dirs[0].extend([entry(0x010F, ASCII, b"Crafted"), entry(0x0110, ASCII, b"code %02d" % k)])
    return jpeg(tiff(*dirs))


def main():
    folder = sys.argv[1]
    open(f"{folder}/exif30_utf8-lens-offsets.jpg", "wb").write(exif30())
    for k in range(max(len(v) for v in CODES.values())):
        open(f"{folder}/codes_{k:02d}.jpg", "wb").write(codes(k))


if __name__ == "__main__":
    main()
