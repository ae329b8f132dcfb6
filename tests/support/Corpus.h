#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "metadata/containers/FileFormat.h"

// The test corpus (tests/data/corpus): real image files and ExifTool's numeric oracle for each.
namespace dux::test {

// One row of MANIFEST.tsv.
struct tCorpusFile {
  std::string category, file;  // file relative to files/, e.g. "iptc/x.jpg"
  std::string make, model;
  bool hasExif = false, hasIptc = false, hasGps = false, hasThumbnail = false;
  std::string makerNote, byteOrder, notes;
};

std::vector<tCorpusFile> CorpusFiles();

// True for a name the JPEG scan takes (.jpg, .jpeg, .jpe in any letter case).
bool IsJpegName(std::string_view file);
// What a corpus file is, by its first bytes.
FileFormat CorpusFormat(const std::string& file);

// The first object of oracle/<file>.json. Bytes of the oracle that are not UTF-8 (ExifTool
// copies some values as they stand) are read as Latin-1.
nlohmann::json OracleOf(const std::string& file);

// A scalar oracle value as code page 1252 text ("" for null); numbers as ExifTool printed them.
std::string OracleText(const nlohmann::json& value);

// The items of an oracle value that may be a list or a single value.
std::vector<std::string> OracleList(const nlohmann::json& value);

// A disagreement with the oracle that the system's design explains. `ours` is the value we
// must give; `field` may be "*" for a whole file.
struct tKnownDifference {
  std::string check, file, field, ours, reason;
};

// Rows of tests/corpus/known-differences.tsv for one check ("iptc", "exif" ...).
std::vector<tKnownDifference> KnownDifferences(std::string_view check);

}  // namespace dux::test
