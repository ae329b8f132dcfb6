#include "host/UtilityCommands.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "host/PluginState.h"
#include "metadata/iptc/IptcFields.h"
#include "platform/Files.h"
#include "platform/FormatError.h"
#include "text/Cp1252.h"
#include "text/TextFormat.h"

namespace dux {
namespace {

// The runtime's messages, in code page 1252 as the host shows them.
constexpr std::string_view kInvalidInteger = "'%s' ist kein g\xFCltiger Integerwert";
constexpr std::string_view kCannotOpen =
    "Datei %s kann nicht ge\xF6"
    "ffnet werden. %s";
constexpr std::string_view kListIndex =
    "Listenindex \xFC"
    "berschreitet das Maximum (%d)";

// The sample values of the template; every other variable is empty.
std::string_view TemplateSample(std::string_view variable) {
  if (variable == "[duxIPTC_Copyright]") return "duxITPC";
  if (variable == "[duxIPTC_LangID]") return "123456789";
  if (variable == "[duxIPTC_Urgency]") return "High";
  return "";
}

// Lines of a text, ended by CR LF, LF or CR; an empty last line does not count.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

bool HasExtension(const std::string& name) {
  const auto dot = name.find_last_of('.');
  const auto separator = name.find_last_of("\\/:");
  return dot != std::string::npos && (separator == std::string::npos || dot > separator);
}

// The line list: a file's lines joined again with CR LF after each, or the parameter itself.
std::string SourceText(const std::string& lineList, const tCommandFiles& files) {
  if (!HasExtension(lineList) || !platform::FileExists(lineList)) return lineList;
  std::string bytes;
  try {
    bytes = files.readWholeFile(lineList);
  } catch (const FileError& e) {
    throw std::runtime_error(
        FormatText(kCannotOpen, {std::string_view(lineList), std::string_view(e.Reason())}));
  }
  std::string text;
  for (const std::string& line : SplitLines(bytes)) text.append(line).append("\r\n");
  return text;
}

// Index of the first line that starts with tag + delimiter, or -1. Past the first line only a
// line break from position length(tag) + length(delimiter) on is searched.
int LineIndex(const std::string& source, const std::string& tag, const std::string& delimiter) {
  const std::string key = tag + delimiter;
  if (source.compare(0, key.size(), key) == 0) return 0;
  const std::size_t start = std::max<std::size_t>(key.size(), 1);  // 1-based
  const std::string needle = "\n" + key;
  if (source.empty() || source.size() < needle.size() || source.size() < start) return -1;
  const auto found = source.find(needle, start - 1);
  if (found == std::string::npos) return -1;
  const auto lineFeeds =
      std::count(source.begin(), source.begin() + static_cast<std::ptrdiff_t>(found) + 1, '\n');
  return static_cast<int>(std::max<std::ptrdiff_t>(lineFeeds, 1));
}

// Every occurrence of the delimiter, ignoring letter case, becomes a line break.
std::string DelimitersToLineBreaks(const std::string& line, const std::string& delimiter) {
  if (delimiter.empty()) return line;
  const auto same = [](char a, char b) { return Cp1252Upper(a) == Cp1252Upper(b); };
  std::string out;
  for (std::size_t i = 0; i < line.size();) {
    if (line.size() - i >= delimiter.size() &&
        std::equal(delimiter.begin(), delimiter.end(),
                   line.begin() + static_cast<std::ptrdiff_t>(i), same)) {
      out += "\r\n";
      i += delimiter.size();
    } else {
      out += line[i++];
    }
  }
  return out;
}

std::string FieldOf(const std::string& line, const std::string& delimiter,
                    const std::string& fieldIndex) {
  const std::vector<std::string> fields = SplitLines(DelimitersToLineBreaks(line, delimiter));
  const auto n = ParseInteger(fieldIndex);
  if (!n) throw std::runtime_error(FormatText(kInvalidInteger, {std::string_view(fieldIndex)}));
  if (static_cast<std::int64_t>(fields.size()) < *n || *n < 0) return {};
  if (*n == 0) return line;
  return fields[static_cast<std::size_t>(*n) - 1];
}

}  // namespace

bool SetVariable(std::string_view name, std::string_view value) {
  SetHostVariable("[" + std::string(name) + "]", value);
  return true;
}

std::string VariableTemplate() {
  std::string text = "Start of template\"";
  for (const tIptcFieldRow& row : kIptcFields) {
    text.append("\r\nduxIPTCsetVar \"")
        .append(row.Variable)
        .append("\" \"")
        .append(TemplateSample(row.Variable))
        .append("\"");
  }
  return text + "\r\n.End of template";
}

std::string TagSearch(const std::string& source, const std::string& tag,
                      const std::string& delimiter, const std::string& fieldIndex) {
  const int index = LineIndex(source, tag, delimiter);
  if (index < 0) return {};
  const std::vector<std::string> lines = SplitLines(source);
  if (index >= static_cast<int>(lines.size()))
    throw std::runtime_error(FormatText(kListIndex, {std::int64_t{index}}));
  return FieldOf(lines[static_cast<std::size_t>(index)], delimiter, fieldIndex);
}

bool GetTag(const std::string& lineList, const std::string& tag, const std::string& delimiter,
            const std::string& fieldIndex, const std::string& resultVariable,
            const tCommandFiles& files) {
  std::string result;
  try {
    result = TagSearch(SourceText(lineList, files), tag, delimiter, fieldIndex);
  } catch (const std::exception& e) {
    SetHostVariable("[LastError]", e.what());
    return false;
  }
  SetHostVariable(resultVariable, result);
  return true;
}

}  // namespace dux
