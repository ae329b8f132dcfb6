#include "text/Cp1252.h"

#include <array>
#include <cstdint>
#include <optional>

#include "platform/CodePage1252.h"

namespace dux {
namespace {

constexpr const auto& kHighControls = platform::kCp1252HighControls;

// The 1252 byte of code point c, or -1.
int ByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<int>(0x80 + i);
  }
  return -1;
}

// Decodes one UTF-8 sequence at text[i]; returns its length, 0 when it is not valid.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& c) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
  const std::uint8_t lead = byte(i);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    c = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (text.size() - i < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    c = c << 6 | (byte(i + k) & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

// Each valid UTF-8 sequence as its 1252 byte, "?" where 1252 has none. A byte that starts no
// valid sequence becomes `invalid`, or stays as it is (taken as 1252) when there is none.
std::string Utf8SequencesToCp1252(std::string_view text, std::optional<char> invalid) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = 0;
    const std::size_t length = DecodeUtf8(text, i, c);
    if (length == 0) {
      out += invalid.value_or(text[i]);
      ++i;
      continue;
    }
    const int b = ByteOf(c);
    out += b < 0 ? invalid.value_or('?') : static_cast<char>(b);
    i += length;
  }
  return out;
}

}  // namespace

char Cp1252Upper(char c) {
  const auto b = static_cast<std::uint8_t>(c);
  if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
    return static_cast<char>(b - 0x20);
  switch (b) {
    case 0x9A:
      return static_cast<char>(0x8A);  // š
    case 0x9C:
      return static_cast<char>(0x8C);  // œ
    case 0x9E:
      return static_cast<char>(0x8E);  // ž
    case 0xFF:
      return static_cast<char>(0x9F);  // ÿ
    default:
      return c;
  }
}

std::string Cp1252ToUtf8(std::string_view text) { return platform::Cp1252ToUtf8(text); }

std::string TextAsCp1252(std::string_view text) {
  return Utf8SequencesToCp1252(text, std::nullopt);
}

std::string Utf16ToCp1252(std::string_view bytes, bool bigEndian, char replacement) {
  std::string out;
  out.reserve(bytes.size() / 2);
  const auto unit = [&](std::size_t k) -> char32_t {
    const auto a = static_cast<std::uint8_t>(bytes[k]), b = static_cast<std::uint8_t>(bytes[k + 1]);
    return bigEndian ? a << 8 | b : b << 8 | a;
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) i += 2;  // a pair: beyond 1252 in any case
      out += replacement;
      continue;
    }
    const int b = ByteOf(c);
    out += b < 0 ? replacement : static_cast<char>(b);
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text, char replacement) {
  return Utf8SequencesToCp1252(text, replacement);
}

}  // namespace dux
