#include "tests/support/Corpus.h"

#include <fstream>
#include <sstream>

#include "tests/support/TempDir.h"
#include "text/Cp1252.h"

namespace dux::test {
namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '\t')) fields.push_back(field);
  if (!line.empty() && line.back() == '\t') fields.emplace_back();
  return fields;
}

// Re-encodes bytes that are not valid UTF-8 as the Latin-1 characters of the same value.
std::string RepairUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = lead < 0x80             ? 1
                         : (lead & 0xE0) == 0xC0 ? 2
                         : (lead & 0xF0) == 0xE0 ? 3
                         : (lead & 0xF8) == 0xF0 ? 4
                                                 : 0;
    bool valid = length > 0 && i + length <= bytes.size() && !(length == 2 && lead < 0xC2);
    for (std::size_t k = 1; valid && k < length; ++k) {
      valid = (static_cast<unsigned char>(bytes[i + k]) & 0xC0) == 0x80;
    }
    if (valid) {
      out.append(bytes, i, length);
      i += length;
    } else {
      out += static_cast<char>(0xC0 | (lead >> 6));
      out += static_cast<char>(0x80 | (lead & 0x3F));
      ++i;
    }
  }
  return out;
}

}  // namespace

std::vector<tCorpusFile> CorpusFiles() {
  std::istringstream in(ReadFileBytes(std::string(DUX_CORPUS_DIR) + "/MANIFEST.tsv"));
  std::vector<tCorpusFile> files;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto f = SplitTabs(line);
    if (f.size() < 13) continue;
    files.push_back({f[0], f[1], f[4], f[5], f[6] == "yes", f[7] == "yes", f[8] == "yes",
                     f[9] == "yes", f[10], f[11], f[12]});
  }
  return files;
}

bool IsJpegName(std::string_view file) {
  const auto dot = file.find_last_of('.');
  if (dot == std::string_view::npos) return false;
  std::string ext(file.substr(dot));
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return ext == ".jpg" || ext == ".jpeg" || ext == ".jpe";
}

FileFormat CorpusFormat(const std::string& file) {
  std::ifstream in(CorpusFile(file), std::ios::binary);
  std::string head(kFormatHeadSize, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  return FormatOf(head);
}

nlohmann::json OracleOf(const std::string& file) {
  const std::string text =
      RepairUtf8(ReadFileBytes(std::string(DUX_CORPUS_DIR) + "/oracle/" + file + ".json"));
  const nlohmann::json all = nlohmann::json::parse(text);
  return all.is_array() && !all.empty() ? all[0] : nlohmann::json::object();
}

std::string OracleText(const nlohmann::json& value) {
  if (value.is_null()) return {};
  if (value.is_string()) return Utf8ToCp1252(value.get<std::string>());
  return Utf8ToCp1252(value.dump());
}

std::vector<std::string> OracleList(const nlohmann::json& value) {
  std::vector<std::string> items;
  if (value.is_array()) {
    for (const auto& item : value) items.push_back(OracleText(item));
  } else if (!value.is_null()) {
    items.push_back(OracleText(value));
  }
  return items;
}

std::vector<tKnownDifference> KnownDifferences(std::string_view check) {
  std::istringstream in(
      ReadFileBytes(std::string(DUX_SOURCE_DIR) + "/tests/corpus/known-differences.tsv"));
  std::vector<tKnownDifference> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const auto f = SplitTabs(line);
    if (f.size() >= 5 && f[0] == check)
      rows.push_back({f[0], f[1], f[2], Utf8ToCp1252(f[3]), f[4]});
  }
  return rows;
}

}  // namespace dux::test
