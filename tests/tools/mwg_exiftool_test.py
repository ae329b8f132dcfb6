#!/usr/bin/env python3
"""duxIPTCread against ExifTool's reading by the Metadata Working Group's guidelines.

For every corpus JPEG that holds an XMP packet, the variables of the fields that ExifTool's MWG
module reconciles between IIM and XMP (City, State, Country, Location, Keywords; and Creator,
Description, Copyright where the file has no EXIF counterpart, which MWG takes first) must equal
what `exiftool -use MWG` reports. Known differences are the "mwg" rows of known-differences.tsv.

Then four writes, into a file with IIM only, with XMP only, with both in step, and with both and
a stale digest: ExifTool's MWG reading must show the values written, and the IPTC digest follow
the rule. And writes where the XMP cannot follow (a UTF-16 packet without a digest, a packet we
do not parse) or must be edited with care (zero bytes after it, namespaces declared on the
property, a By-line with a comma, CR LF): ExifTool and we read what was written, exiv2 takes
every packet we changed, and so does a namespace-aware XML parser.

Usage: mwg_exiftool_test.py NBHOST CORPUS_DIR KNOWN_DIFFERENCES_TSV
"""
import json
import os
import shutil
import struct
import subprocess
import sys

FIELDS = {  # our variable: (MWG tag, the EXIF tag MWG takes first, or None)
    "[duxIPTC_City]": ("MWG:City", None),
    "[duxIPTC_State]": ("MWG:State", None),
    "[duxIPTC_LocationName]": ("MWG:Country", None),
    "[duxIPTC_SubLocation]": ("MWG:Location", None),
    "[duxIPTC_Keywords]": ("MWG:Keywords", None),
    "[duxIPTC_ByLine]": ("MWG:Creator", "IFD0:Artist"),
    "[duxIPTC_ImageCaption]": ("MWG:Description", "IFD0:ImageDescription"),
    "[duxIPTC_Copyright]": ("MWG:Copyright", "IFD0:Copyright"),
}


def join_list(items):
    """Items as our comma lists join them: quoted when they hold a comma or a quote, or begin or
    end with a blank or control character."""
    out = []
    for item in items:
        if any(c in '",' for c in item) or (item and (item[0] <= " " or item[-1] <= " ")):
            item = '"' + item.replace('"', '""') + '"'
        out.append(item)
    return ",".join(out) if out != [""] else '""'


def as_ours(value):
    if value is None:
        return ""
    if isinstance(value, list):
        return join_list([str(v) for v in value])
    return str(value)


# Writes into the four ways a file may hold the fields; ExifTool's MWG reading must then show the
# values written, and the IPTC digest follow the new IIM data where the XMP was kept in step.
WRITE_CASES = [  # file, the digest follows the new IIM afterwards
    ("iptc/iptc_keywords7_pillow.jpg", False),       # IIM only: nothing to keep in step with
    ("exif-misc/long-imagedescription.jpg", True),   # XMP only
    ("iptc/iptc_photoshop_utf8.jpg", True),          # both, in step (the digest matches)
    ("iptc/iptc_app13_iptc-at-begin.jpg", False),    # both, the digest stale: it stays
]


def write_cases(tool, corpus):
    import tempfile
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        for relative, follows in WRITE_CASES:
            source = os.path.join(corpus, "files", relative)
            copy = os.path.join(scratch, os.path.basename(relative))
            reply = json.loads(subprocess.run([tool, "--json", "duxIPTCread", source], capture_output=True).stdout)
            sets = []
            for name, value in reply["set"]:
                value = {"[duxIPTC_City]": "Write City", "[duxIPTC_Keywords]": "alpha,beta"}.get(name, value)
                sets += ["--set", f"{name}={value}"]
            subprocess.run([tool, *sets, "duxIPTCwrite", source, copy], capture_output=True)
            read = {}
            for path in (source, copy):
                done = subprocess.run(["exiftool", "-j", "-use", "MWG", "-G1", "-n", "-MWG:City", "-MWG:Keywords",
                                       "-Photoshop:IPTCDigest", "-File:CurrentIPTCDigest", path], capture_output=True)
                read[path] = json.loads(done.stdout)[0]
            after, before = read[copy], read[source]
            if after.get("MWG:City") != "Write City" or as_ours(after.get("MWG:Keywords")) != "alpha,beta":
                failures.append(f"write into {relative}: MWG reads {after.get('MWG:City')!r}, {after.get('MWG:Keywords')!r}")
            digest = after.get("Photoshop:IPTCDigest")
            if follows and digest != after.get("File:CurrentIPTCDigest"):
                failures.append(f"write into {relative}: the IPTC digest does not follow the new IIM data")
            if not follows and digest != before.get("Photoshop:IPTCDigest"):
                failures.append(f"write into {relative}: the IPTC digest changed")
    return failures


# Files made here for the writes where the XMP cannot follow, or where the text is hard for XML.
XMP_SIGNATURE = b"http://ns.adobe.com/xap/1.0/\0"
RDF_OPEN = ('<x:xmpmeta xmlns:x="adobe:ns:meta/"><rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#">'
            '<rdf:Description rdf:about="" xmlns:dc="http://purl.org/dc/elements/1.1/" '
            'xmlns:photoshop="http://ns.adobe.com/photoshop/1.0/"')
RDF_CLOSE = '</rdf:Description></rdf:RDF></x:xmpmeta>'


def segment(marker, payload):
    return bytes([0xFF, marker]) + struct.pack(">H", len(payload) + 2) + payload


def iptc_app13(city):
    iim = b"\x1c\x02\x00\x00\x02\x00\x02" + b"\x1c\x02\x5a" + struct.pack(">H", len(city)) + city.encode()
    resource = b"8BIM\x04\x04\x00\x00" + struct.pack(">I", len(iim)) + iim + b"\0" * (len(iim) % 2)
    return segment(0xED, b"Photoshop 3.0\0" + resource)


def with_segments(jpeg, *segments):
    """SOI, the segments, then the rest of `jpeg` after its SOI."""
    return b"\xff\xd8" + b"".join(segments) + jpeg[2:]


def made_cases(corpus, scratch):
    """(name, path, variables to set, ExifTool tags and the values they must then read)."""
    plain = open(os.path.join(corpus, "files", "structure", "plain_noexif_exifr.jpg"), "rb").read()
    made = {
        # Zero bytes after the packet: the packet is changed where it stands.
        "zero-padded.jpg": with_segments(plain, segment(0xE1, XMP_SIGNATURE + (RDF_OPEN + ' photoshop:City="OldCity">' + RDF_CLOSE).encode() + b"\0" * 8)),
        # A document type ExifTool reads and we refuse: the IIM is written, the digest tells it is newer.
        "doctype.jpg": with_segments(plain, segment(0xE1, XMP_SIGNATURE + ("<!DOCTYPE x>" + RDF_OPEN + ' photoshop:City="OldCity">' + RDF_CLOSE).encode()),
                                     iptc_app13("OldCity")),
        # Properties in a default namespace and under a prefix they declare themselves.
        "namespaces.jpg": with_segments(plain, segment(0xE1, XMP_SIGNATURE + (RDF_OPEN + '><City xmlns="http://ns.adobe.com/photoshop/1.0/">Old</City>'
                                        '<d:description xmlns:d="http://purl.org/dc/elements/1.1/"><rdf:Alt><rdf:li xml:lang="x-default">old'
                                        '</rdf:li></rdf:Alt></d:description>' + RDF_CLOSE).encode())),
    }
    for name, data in made.items():
        with open(os.path.join(scratch, name), "wb") as f:
            f.write(data)
    # The corpus packet in UTF-16, without the digest that would tell which of the two is newer.
    utf16 = os.path.join(scratch, "utf16.jpg")
    shutil.copy(os.path.join(corpus, "files", "iptc", "iptc_two-app13_com_xmp_exiftool.jpg"), utf16)
    subprocess.run(["exiftool", "-q", "-overwrite_original", "-Photoshop:IPTCDigest=", utf16], check=True)
    return [
        ("zero bytes after the packet", os.path.join(scratch, "zero-padded.jpg"), {"City": "NewCity"}, {"MWG:City": "NewCity"}),
        ("a UTF-16 packet, no digest", utf16, {"City": "Rome"}, {"MWG:City": "Rome"}),
        ("a packet we do not parse", os.path.join(scratch, "doctype.jpg"), {"City": "NewCity"}, {"MWG:City": "NewCity"}),
        ("a By-line with a comma", os.path.join(corpus, "files", "iptc", "iptc_photoshop_utf8.jpg"), {"ByLine": "Doe, Jane"},
         {"IPTC:By-line": "Doe, Jane", "XMP-dc:Creator": "Doe, Jane"}),
        ("a caption with CR LF", os.path.join(corpus, "files", "iptc", "iptc_photoshop_utf8.jpg"), {"ImageCaption": "one\r\ntwo"},
         {"MWG:Description": "one\r\ntwo", "IPTC:Caption-Abstract": "one\r\ntwo"}),
        # ExifTool takes a default namespace declaration for a property of its own: exiv2 reads the
        # city ("Xmp." keys are exiv2's).
        ("a default namespace and a prefix of its own", os.path.join(scratch, "namespaces.jpg"),
         {"City": "Rome", "ImageCaption": "new"}, {"XMP-dc:Description": "new", "Xmp.photoshop.City": "Rome"}),
    ]


def packet_of(path):
    """The main XMP packet of a JPEG's leading segments, as bytes; None when there is none."""
    data, pos = open(path, "rb").read(), 2
    while pos + 4 <= len(data) and data[pos] == 0xFF and data[pos + 1] != 0xDA:
        length = struct.unpack(">H", data[pos + 2:pos + 4])[0]
        payload = data[pos + 4:pos + 2 + length]
        if data[pos + 1] == 0xE1 and payload.startswith(XMP_SIGNATURE):
            return payload[len(XMP_SIGNATURE):]
        pos += 2 + length
    return None


def strict_xml_failure(packet):
    """Why a namespace-aware XML parser refuses a UTF-8 packet; None when it takes it."""
    import xml.parsers.expat
    parser = xml.parsers.expat.ParserCreate(namespace_separator=" ")
    try:
        parser.Parse(packet.rstrip(b"\0"), True)
    except xml.parsers.expat.ExpatError as e:
        return str(e)
    return None


def made_write_cases(tool, corpus):
    """Writes into the made files and the hard texts: ExifTool reads what was written, and every
    packet we wrote parses with a strict XML parser."""
    import tempfile
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        for what, source, edits, expected in made_cases(corpus, scratch):
            copy = os.path.join(scratch, "copy.jpg")
            reply = json.loads(subprocess.run([tool, "--json", "duxIPTCread", source], capture_output=True).stdout)
            sets = []
            for name, value in reply["set"]:
                value = edits.get(name[len("[duxIPTC_"):-1], value)
                sets += ["--set", f"{name}={value}"]
            done = subprocess.run([tool, *sets, "duxIPTCwrite", source, copy], capture_output=True)
            if done.returncode != 0:
                failures.append(f"{what}: the write failed")
                continue
            read = json.loads(subprocess.run(["exiftool", "-j", "-use", "MWG", "-G1", *[f"-{t}" for t in expected], copy],
                                             capture_output=True).stdout)[0]
            exiv2 = subprocess.run(["exiv2", "-px", copy], capture_output=True, text=True)
            packet = packet_of(copy)
            changed = packet is not None and packet != packet_of(source)
            if changed and "Failed to decode XMP" in exiv2.stderr:
                failures.append(f"{what}: exiv2 refuses the packet written: {exiv2.stderr.strip()}")
            for line in exiv2.stdout.splitlines():
                parts = line.split(None, 3)
                if len(parts) == 4 and parts[0].startswith("Xmp."):
                    read[parts[0]] = parts[3]
            for tag, value in expected.items():
                if as_ours(read.get(tag)) != value:
                    failures.append(f"{what}: {tag} reads {read.get(tag)!r}, not {value!r}")
            ours = dict(json.loads(subprocess.run([tool, "--json", "duxIPTCread", copy], capture_output=True).stdout)["set"])
            for field, value in edits.items():
                if ours.get(f"[duxIPTC_{field}]") != value:
                    failures.append(f"{what}: we read {field} {ours.get(f'[duxIPTC_{field}]')!r}, not {value!r}")
            if changed:
                why = strict_xml_failure(packet)
                if why:
                    failures.append(f"{what}: the packet written is not namespace-well-formed XML: {why}")
    return failures


def main():
    tool, corpus, known_file = sys.argv[1:4]
    known = {}
    with open(known_file, encoding="utf-8") as f:
        for line in f:
            parts = line.rstrip("\n").split("\t")
            if len(parts) >= 5 and parts[0] == "mwg":
                known[(parts[1], parts[2])] = parts[3]
    files = []
    for directory, _, names in sorted(os.walk(os.path.join(corpus, "files"))):
        for name in sorted(names):
            path = os.path.join(directory, name)
            if os.path.splitext(name)[1].lower() in (".jpg", ".jpeg", ".jpe"):
                files.append(path)
    done = subprocess.run(["exiftool", "-j", "-use", "MWG", "-G1", "-n", "-MWG:all", "-XMP:all", "-IFD0:Artist",
                           "-IFD0:ImageDescription", "-IFD0:Copyright", *files], capture_output=True, timeout=600)
    mwg = {item["SourceFile"]: item for item in json.loads(done.stdout)}
    failures, compared, used = [], 0, set()
    for path in files:
        tags = mwg.get(path, {})
        if not any(k.startswith("XMP-") for k in tags):
            continue
        relative = os.path.relpath(path, os.path.join(corpus, "files"))
        reply = json.loads(subprocess.run([tool, "--json", "duxIPTCread", path], capture_output=True).stdout)
        ours = dict(reply["set"])
        for variable, (tag, exif) in FIELDS.items():
            if exif is not None and exif in tags:
                continue
            value = tags.get(tag)
            if variable == "[duxIPTC_ByLine]" and isinstance(value, list):
                value = value[0]  # the By-line is one text: the first of several creators
            expected = as_ours(value)
            compared += 1
            if (relative, variable) in known:
                used.add((relative, variable))
                if ours.get(variable) != known[(relative, variable)]:
                    failures.append(f"{relative} {variable}: {ours.get(variable)!r}, the known difference says {known[(relative, variable)]!r}")
                elif ours.get(variable) == expected:
                    failures.append(f"{relative} {variable}: the known difference now agrees: remove it")
            elif ours.get(variable) != expected:
                failures.append(f"{relative} {variable}: ours {ours.get(variable)!r}, ExifTool's MWG {expected!r}")
    for key in known:
        if key not in used:
            failures.append(f"{key[0]} {key[1]}: unused known difference")
    failures += write_cases(tool, corpus)
    failures += made_write_cases(tool, corpus)
    for failure in failures:
        print("FAIL", failure)
    print(f"{compared} values compared with ExifTool's MWG reading, {len(failures)} failures")
    if compared > 50 and not failures:
        print("[  PASSED  ]")
        return 0
    return 1


if __name__ == "__main__":
    sys.exit(main())
