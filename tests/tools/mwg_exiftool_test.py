#!/usr/bin/env python3
"""duxIPTCread against ExifTool's reading by the Metadata Working Group's guidelines.

For every corpus JPEG that holds an XMP packet, the variables of the fields that ExifTool's MWG
module reconciles between IIM and XMP (City, State, Country, Location, Keywords; and Creator,
Description, Copyright where the file has no EXIF counterpart, which MWG takes first) must equal
what `exiftool -use MWG` reports. Known differences are the "mwg" rows of known-differences.tsv.

Then four writes, into a file with IIM only, with XMP only, with both in step, and with both and
a stale digest: ExifTool's MWG reading must show the values written, and the IPTC digest follow
the rule.

Usage: mwg_exiftool_test.py NBHOST CORPUS_DIR KNOWN_DIFFERENCES_TSV
"""
import json
import os
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
            expected = as_ours(tags.get(tag))
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
    for failure in failures:
        print("FAIL", failure)
    print(f"{compared} values compared with ExifTool's MWG reading, {len(failures)} failures")
    if compared > 50 and not failures:
        print("[  PASSED  ]")
        return 0
    return 1


if __name__ == "__main__":
    sys.exit(main())
