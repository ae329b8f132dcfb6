#!/usr/bin/env python3
"""Plants one-line bugs in the library, one at a time, and runs the unit suites against each.

A mutant is killed when a suite fails, or when the tests' compile-time checks refuse it; it
survives when all pass. Survivors show where a test is
missing. The tree is copied from git's HEAD into a scratch folder, so the working copy is never
touched. Exit status 1 when any mutant survived, 2 when the unmutated build does not pass.

Usage: tools/mutation/probe.py [--scratch DIR] [--only SUBSTRING]
"""
import argparse
import os
import shutil
import subprocess
import sys

# (file, text as it is, text as the bug makes it, what the bug does). Each text occurs once.
MUTANTS = [
    # Code page 1252 and the case rule of the tag search
    ("text/Cp1252.cpp", "(c >= 0xA0 && c <= 0xFF)", "(c >= 0x80 && c <= 0xFF)",
     "U+0080..U+009F map to their own bytes instead of '?'"),
    ("text/Cp1252.cpp", "|| (c >= 0xD800 && c <= 0xDFFF)) return 0;", ") return 0;",
     "a UTF-8 encoded surrogate decodes"),
    ("text/Cp1252.cpp", "b <= 0xFE && b != 0xF7", "b <= 0xFE",
     "division sign upper-cases to the multiplication sign"),
    ("text/Cp1252.cpp", "length = 2, c = lead & 0x1F, minimum = 0x80;", "length = 2, c = lead & 0x1F, minimum = 0;",
     "overlong two-byte UTF-8 accepted"),
    ("text/Cp1252.cpp", "case 0x9A:\n      return static_cast<char>(0x8A);", "case 0x9A:\n      return c;",
     "s caron does not upper-case"),
    # Integers, components, comma lists
    ("text/TextFormat.cpp", "value < -0x80000000LL", "value <= -0x80000000LL",
     "-2147483648 refused"),
    ("text/TextFormat.cpp", "if (value > 0xFFFFFFFFLL) return std::nullopt;", "",
     "a decimal longer than 32 bits wraps"),
    ("metadata/exif/ExifFormatters.cpp", "i <= 4 && i < text.size()", "i <= 3 && i < text.size()",
     "the fourth component code is not printed"),
    ("text/CommaList.cpp",
     "(IsBlankOrControl(item.front()) || IsBlankOrControl(item.back()))",
     "IsBlankOrControl(item.front())",
     "an item with a trailing blank is not quoted"),
    ("text/CommaList.cpp", "if (i + 1 == text.size()) items.emplace_back();", "",
     "a trailing comma's empty item is lost"),
    ("text/CommaList.cpp", "item += '\"';\n      ++i;", "item += '\"';",
     "a doubled quote inside quotes reads twice"),
    # Byte reader
    ("metadata/bytes/ByteReader.h", "pos - 1 <= size - n;", "pos <= size - n;",
     "the last bytes of the data read as absent"),
    ("metadata/bytes/ByteReader.h", "if (pos < 1 || pos > size || n <= 0) return {};",
     "if (pos < 1 || n <= 0) return {};", "Bytes past the end"),
    # IIM datasets
    ("metadata/iptc/IimDatasets.cpp", "if (lengthBytes > 4 ||", "if (lengthBytes > 8 ||",
     "an extended length of more than four bytes accepted"),
    ("metadata/bytes/ByteWriter.h", "out += static_cast<char>((value >> 8) & 0xFF);",
     "out += static_cast<char>((value >> 7) & 0xFF);", "a big-endian word's high byte wrong"),
    ("metadata/iptc/IimDatasets.cpp", "d.value == \"\\x1B%G\"", "d.value.starts_with(\"\\x1B\")",
     "any escape sequence declares UTF-8"),
    # JPEG markers
    ("metadata/jpeg/JpegMarkers.cpp", "while (c == 0xFF) {", "if (c == 0xFF) {",
     "fill bytes before a marker are not skipped"),
    ("metadata/jpeg/JpegMarkers.cpp", "marker.strayBefore = c != 0xFF;", "marker.strayBefore = false;",
     "stray bytes before a marker go unnoticed"),
    # XMP
    ("metadata/xmp/XmlText.cpp", "case '<':\n        out += \"&lt;\";", "case '<':\n        out += c;",
     "'<' written unescaped into the packet"),
    ("metadata/xmp/XmlText.cpp", "attribute ? \"&quot;\" : \"\\\"\"", "attribute ? \"'\" : \"\\\"\"",
     "a quote in an attribute value written as an apostrophe"),
    ("metadata/xmp/XmlText.cpp", "if (!XmlCannotHold(c)) out += c;", "out += c;",
     "control characters written raw into the packet"),
    ("metadata/xmp/XmpWrite.cpp", "for (const auto& [prefix, ns] : old->declarations) {",
     "for (const auto& [prefix, ns] : std::vector<std::pair<std::string, std::string>>{}) {",
     "a rewritten property loses the namespace declarations it made itself"),
    ("metadata/iptc/PhotoshopResources.cpp", "if (k == payloads.size() || StartsResource(payloads[k]))",
     "if (k == payloads.size() || (StartsResource(payloads[k]) && k == 0))",
     "two whole Photoshop blocks in a row are joined into one"),
    ("metadata/iptc/IptcXmp.cpp", "(!hasIim_ || digest_ != DigestState::kDiffers)",
     "(!hasIim_ || digest_ == DigestState::kMatches)",
     "XMP ignored when the digest is absent"),
    ("metadata/iptc/IptcXmp.cpp", "if (field.Field == \"TimeCreated\" && stated.find('T') == std::string_view::npos)\n      return std::nullopt;",
     "", "a date-only XMP value clears the IIM time"),
    ("metadata/iptc/IptcXmp.cpp", "if (!TrimBlanks(item).empty()) items.push_back(Cp1252ToUtf8(item));",
     "items.push_back(Cp1252ToUtf8(item));", "blank list items become empty XMP items"),
    # Summaries
    ("metadata/exif/TImageInfoSummary.cpp", "if (IndexOfName(\"FocalLengthin35mmFilm\") >= 0) return;", "",
     "a stated 35 mm focal length is estimated again: a second line"),
    # Writing IPTC
    ("metadata/iptc/PhotoshopResources.h", "kMaxResourceBytesPerSegment = 65533 - kPhotoshopSignature.size();",
     "kMaxResourceBytesPerSegment = 65535 - kPhotoshopSignature.size();", "an APP13 segment two bytes too long"),
]

SUITES = ["dux_tests", "dux_bounds_tests", "dux_plugin_tests"]
LIBRARIES = ["dux_text", "dux_metadata"]


def run(cmd, cwd, timeout=None):
    # A mutant may make a suite print bytes that are no UTF-8 (a value read from the wrong place).
    return subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, errors="replace", timeout=timeout)


def build(build_dir, targets):
    return run(["cmake", "--build", build_dir, "-j", str(os.cpu_count() or 2)] +
               sum((["--target", t] for t in targets), []), None).returncode == 0


def suites_pass(build_dir):
    for suite in SUITES:
        try:
            result = run([os.path.join(build_dir, "bin", suite), "--gtest_brief=1"],
                         os.path.join(build_dir, "tests"), timeout=900)
        except subprocess.TimeoutExpired:
            return False, suite + " (time limit)"
        if result.returncode != 0:
            return False, suite
    return True, ""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--scratch", default="/tmp/dux-mutation")
    parser.add_argument("--only", default="")
    args = parser.parse_args()
    root = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
    src = os.path.join(args.scratch, "src")
    build_dir = os.path.join(args.scratch, "build")
    shutil.rmtree(src, ignore_errors=True)
    os.makedirs(src)
    archive = subprocess.run(["git", "-C", root, "archive", "HEAD"], stdout=subprocess.PIPE, check=True)
    # Extracted with today's times: with the commit's, a build folder left by an earlier run would
    # keep the objects of that run's last mutant.
    subprocess.run(["tar", "-x", "-m", "-C", src], input=archive.stdout, check=True)
    if run(["cmake", "-S", src, "-B", build_dir, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release"], None).returncode:
        print("configure failed")
        return 2
    if not build(build_dir, SUITES) or not suites_pass(build_dir)[0]:
        print("the unmutated build does not pass")
        return 2

    mutants = [m for m in MUTANTS if args.only in m[0] or args.only in m[3]]
    killed = survived = 0
    for path, before, after, what in mutants:
        file = os.path.join(src, path)
        original = open(file, encoding="utf-8").read()
        if original.count(before) != 1:
            print(f"MISPLACED  {path}: {what} (text found {original.count(before)} times)")
            survived += 1
            continue
        open(file, "w", encoding="utf-8").write(original.replace(before, after))
        try:
            if not build(build_dir, LIBRARIES):  # a bug that does not compile is no mutant
                print(f"NO BUILD   {path}: {what}")
                survived += 1
                continue
            if not build(build_dir, SUITES):  # the tests' compile-time checks caught it
                killed += 1
                print(f"killed     {path}: {what} (by a static_assert)")
                continue
            passed, by = suites_pass(build_dir)
            if passed:
                survived += 1
                print(f"SURVIVED   {path}: {what}")
            else:
                killed += 1
                print(f"killed     {path}: {what} (by {by})")
        finally:
            open(file, "w", encoding="utf-8").write(original)
        sys.stdout.flush()
    print(f"{killed} of {len(mutants)} mutants killed")
    return 0 if killed == len(mutants) else 1


if __name__ == "__main__":
    sys.exit(main())
