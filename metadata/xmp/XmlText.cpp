#include "metadata/xmp/XmlText.h"

#include <algorithm>

#include "metadata/xmp/XmpPacket.h"

namespace dux {
namespace {

// A prefix this writes must be a name XML takes: the parser lets pass declarations of others.
bool IsWritablePrefix(std::string_view prefix) {
  const auto letter = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || (c & 0x80) != 0;
  };
  if (prefix.empty() || !letter(prefix.front())) return false;
  return std::all_of(prefix.begin(), prefix.end(), [&](char c) {
    return letter(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
  });
}

}  // namespace

std::string Escaped(std::string_view text, bool attribute) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '\r':
        out += "&#xD;";
        break;
      case '"':
        out += attribute ? "&quot;" : "\"";
        break;
      case '\n':
        out += attribute ? "&#xA;" : "\n";
        break;
      case '\t':
        out += attribute ? "&#x9;" : "\t";
        break;
      default:
        if (!XmlCannotHold(c)) out += c;
    }
  }
  return out;
}

std::map<std::string, std::string> PrefixMap(
    const std::vector<std::pair<std::string, std::string>>& declarations) {
  std::map<std::string_view, std::string_view> bound;  // prefix -> namespace
  for (const auto& [prefix, ns] : declarations) bound[prefix] = ns;
  std::map<std::string, std::string> prefixes;
  for (const auto& [prefix, ns] : declarations) {
    if (bound[prefix] == ns && IsWritablePrefix(prefix)) prefixes[ns] = prefix;
  }
  return prefixes;
}

}  // namespace dux
