#include "platform/CodePage1252.h"

#include <cstdint>

namespace dux::platform {
namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {  // 1252 has no character beyond the first plane
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    const auto b = static_cast<std::uint8_t>(ch);
    AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kCp1252HighControls[b - 0x80] : char32_t{b});
  }
  return out;
}

}  // namespace dux::platform
