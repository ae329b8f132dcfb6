#include "platform/IniFile.h"

#include <fstream>

#include "platform/posix/SystemPath.h"

namespace dux::platform {
namespace {

std::string_view Trim(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view defaultValue) {
  std::ifstream in(SystemPath(path), std::ios::binary);
  if (!in) return std::string(defaultValue);
  std::string line;
  bool inSection = false;
  while (std::getline(in, line)) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == ';') continue;
    if (text.front() == '[') {
      const auto close = text.find(']');
      const std::string_view name = Trim(
          text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
      inSection = SameName(name, Trim(section));
      continue;
    }
    if (!inSection) continue;
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    if (SameName(Trim(text.substr(0, equals)), Trim(key))) {
      return std::string(Unquote(Trim(text.substr(equals + 1))));
    }
  }
  return std::string(defaultValue);
}

}  // namespace dux::platform
