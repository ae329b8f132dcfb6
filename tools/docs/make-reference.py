#!/usr/bin/env python3
"""Fills the generated lists of docs/reference.md from the tag tables of the source.

Each list stands between a line "<!-- generated: NAME -->" and a line "<!-- end -->"; the script
replaces what stands between them and leaves the rest of the page as it is. The reference test
(tests/tools/ReferenceDocTest.cpp) checks that every name the tables hold is on the page, so a
new row fails it until this script has run.
Usage: tools/docs/make-reference.py [ROOT]   (default: the repository this script is in)
"""
import os
import re
import sys

ROOT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
PAGE = os.path.join(ROOT, "docs", "reference.md")

ROW = re.compile(r"\{\s*\.TagNumber\s*=\s*(0x[0-9A-Fa-f]+),(.*?)\}(?=,\s*(?:\{|//|\};|$))", re.S)
FIELD = re.compile(r'\.(ShortName|Description)\s*=\s*"([^"]*)"')


def unescape(text):
    """A C++ string literal's text, its escapes (\\t, \\xB0) read, blanks at the ends dropped."""
    return text.encode("latin-1").decode("unicode_escape").strip()


def spaced(short):
    """The label the walk makes of a short name: a blank before a capital after a non-capital."""
    out = ""
    for i, c in enumerate(short):
        if i > 0 and c.isupper() and not short[i - 1].isupper():
            out += " "
        out += c
    return out


def rows(path, array):
    """(tag, short name, label) of each row of the constexpr array `array` in `path`."""
    text = open(os.path.join(ROOT, path), encoding="latin-1").read()
    start = text.index(array)
    body = text[start:text.index("\n};", start)]
    found = []
    for m in ROW.finditer(body):
        fields = {k: unescape(v) for k, v in FIELD.findall(m.group(2))}
        short = fields.get("ShortName", "")
        if short.lower() == "skip":
            continue
        found.append((int(m.group(1), 16), short, fields.get("Description") or spaced(short)))
    return found


def table(entries, with_label=True):
    lines = ["| Tag | Name (`duxGetTag`'s key in the lists) | Line label |", "|---|---|---|"]
    if not with_label:
        lines = ["| Tag | Name | Line label |", "|---|---|---|"]
    for tag, short, label in entries:
        lines.append(f"| 0x{tag:04X} | `{short}` | {label} |")
    return "\n".join(lines)


def list_fields(path, array):
    """The labels of a Canon list's fields: {"label", field, ...}."""
    text = open(os.path.join(ROOT, path), encoding="latin-1").read()
    start = text.index(array)
    body = text[start:text.index("}};", start)]
    return re.findall(r'\{"([^"]+)",\s*(\w+)', body)


def record_fields(path):
    text = open(os.path.join(ROOT, path), encoding="latin-1").read()
    return re.findall(r'\.offset = (0x[0-9A-F]+).*?\.name = "([^"]+)",\s*\.label = "([^"]+)"', text,
                      re.S)


MAKES = [
    ("Canon", "metadata/makernotes/CanonTags.cpp", "kCanonRows"),
    ("Nikon, first kind (`Nikon\\0` 1)", "metadata/makernotes/NikonTags.cpp", "kNikonRows1"),
    ("Nikon, later kinds", "metadata/makernotes/NikonTags.cpp", "kNikonRows2"),
    ("Olympus", "metadata/makernotes/OlympusTags.cpp", "kOlympusRows"),
    ("Olympus equipment (0x2010)", "metadata/makernotes/OlympusTags.cpp", "kOlympusEquipmentRows"),
    ("Olympus camera settings (0x2020)", "metadata/makernotes/OlympusTags.cpp",
     "kOlympusCameraSettingsRows"),
    ("Fujifilm", "metadata/makernotes/FujifilmTags.cpp", "kFujifilmRows"),
    ("Casio, first kind", "metadata/makernotes/CasioTags.cpp", "kCasioRows1"),
    ("Casio, QVC", "metadata/makernotes/CasioTags.cpp", "kCasioRows2"),
    ("Sony", "metadata/makernotes/SonyTags.cpp", "kSonyRows"),
    ("Panasonic", "metadata/makernotes/PanasonicTags.cpp", "kPanasonicRows"),
    ("Pentax", "metadata/makernotes/PentaxTags.cpp", "kPentaxRows"),
    ("Ricoh", "metadata/makernotes/RicohTags.cpp", "kRicohRows"),
    ("Ricoh GR", "metadata/makernotes/RicohTags.cpp", "kRicohGrRows"),
    ("Apple", "metadata/makernotes/AppleTags.cpp", "kAppleRows"),
    ("Sigma", "metadata/makernotes/SigmaTags.cpp", "kSigmaRows"),
    ("Seiko Epson", "metadata/makernotes/SeikoTags.cpp", "kSeikoRows"),
    ("Sanyo", "metadata/makernotes/SanyoTags.cpp", "kSanyoRows"),
    ("Minolta", "metadata/makernotes/MinoltaTags.cpp", "kMinoltaRows"),
]


def makers():
    parts = []
    for title, path, array in MAKES:
        parts.append(f"#### {title}\n\n" + table(rows(path, array)))
    canon = "metadata/makernotes/MakerNoteFormatters.cpp"
    for title, array in (("Canon camera settings (`ExposureInfo1`)", "kCameraSettings"),
                         ("Canon shot info (`ExposureInfo2`)", "kShotInfo"),
                         ("Canon file info (`FileInfo`)", "kFileInfo")):
        lines = ["| Field | Line label and name |", "|---|---|"]
        lines += [f"| {field} | {label} |" for label, field in list_fields(canon, array)]
        parts.append(f"#### {title}\n\n" + "\n".join(lines))
    text = open(os.path.join(ROOT, canon), encoding="latin-1").read()
    functions = re.findall(r'\{"([^"]+)", "[^"]*"\}', text[text.index("kCustomFunctions"):])
    parts.append("#### Canon custom functions (`CustomFunctions`)\n\n" +
                 "\n".join(f"- {f}" for f in functions))
    lines = ["| Offset | Name | Line label |", "|---|---|---|"]
    lines += [f"| {off} | `{name}` | {label} |"
              for off, name, label in record_fields("metadata/makernotes/KodakRecord.cpp")]
    parts.append("#### Kodak (`KDK` record)\n\n" + "\n".join(lines))
    return "\n\n".join(parts)


GENERATED = {
    "exif": lambda: table(rows("metadata/exif/ExifTags.cpp", "kExifRows")),
    "gps": lambda: table(rows("metadata/exif/ExifTags.cpp", "kGpsRows")),
    "makers": makers,
}


def main():
    page = open(PAGE, encoding="utf-8").read()
    for name, make in GENERATED.items():
        begin = f"<!-- generated: {name} -->\n"
        at = page.index(begin) + len(begin)
        end = page.index("<!-- end -->", at)
        page = page[:at] + make() + "\n" + page[end:]
    open(PAGE, "w", encoding="utf-8").write(page)


if __name__ == "__main__":
    main()
