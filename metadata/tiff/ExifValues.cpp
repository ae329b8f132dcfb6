#include "metadata/tiff/ExifValues.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "metadata/bytes/ByteReader.h"
#include "text/AsciiText.h"
#include "text/TextFormat.h"

namespace dux {
namespace {

constexpr int kMaxComponents = 128;
constexpr std::string_view kListSeparator = ", ";

bool IsWholeNumberType(int type) {
  return type == 1 || type == 3 || type == 4 || type == 6 || type == 8 || type == 9;
}
bool IsRationalType(int type) { return type == 5 || type == 10; }

std::uint64_t DecodeUnsigned(std::string_view bytes, bool bigEndian) noexcept {
  switch (bytes.size()) {  // the widths of the TIFF types, without a loop
    case 1:
      return Byte(bytes, 1);
    case 2:
      return Word(bytes, 1, bigEndian);
    case 4:
      return Long(bytes, 1, bigEndian);
    default:
      break;
  }
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::size_t at = bigEndian ? i : bytes.size() - 1 - i;
    value = value << 8 | static_cast<std::uint8_t>(bytes[at]);
  }
  return value;
}

double IeeeValue(std::string_view raw, int type, bool bigEndian) noexcept {
  const std::size_t size = type == 11 ? 4 : 8;
  if (raw.size() < size) return 0;
  const std::uint64_t bits = DecodeUnsigned(raw.substr(0, size), bigEndian);
  if (type == 11) return std::bit_cast<float>(static_cast<std::uint32_t>(bits));
  return std::bit_cast<double>(bits);
}

// Appends one component's text: a whole number as its digits, or through the code list; a
// rational as "num/den", followed by the label the code list gives the whole text so far.
void AppendComponent(std::string& text, std::string_view raw, int type, std::string_view codes,
                     bool bigEndian) {
  char digits[32];
  if (IsWholeNumberType(type)) {
    const auto end =
        std::to_chars(digits, digits + sizeof digits, DecodeInteger(raw, bigEndian)).ptr;
    const std::string_view value(digits, static_cast<std::size_t>(end - digits));
    text += codes.empty() ? value : ValueCodeOf(codes, value);
    return;
  }
  if (IsRationalType(type)) {
    char* end =
        std::to_chars(digits, digits + sizeof digits, DecodeInteger(raw.substr(0, 4), bigEndian))
            .ptr;
    *end++ = '/';
    end =
        std::to_chars(end, digits + sizeof digits, DecodeInteger(raw.substr(4, 4), bigEndian)).ptr;
    const std::string_view fraction(digits, static_cast<std::size_t>(end - digits));
    if (codes.empty()) {
      text += fraction;
      return;
    }
    // The code list is looked up with the whole text so far, as the value list was kept.
    text += fraction;
    text += ValueCodeOf(codes, text);  // a view of the codes, not of the text it grows
    return;
  }
  text += type == 11 || type == 12 ? "-9999.99" : "?";
}

}  // namespace

std::int32_t DecodeInteger(std::string_view bytes, bool bigEndian) noexcept {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(DecodeUnsigned(bytes, bigEndian)));
}

double NumericValue(std::string_view raw, int valueType, bool bigEndian) noexcept {
  if (IsWholeNumberType(valueType)) return DecodeInteger(raw, bigEndian);
  if (IsRationalType(valueType)) {
    const std::int32_t num =
        DecodeInteger(raw.substr(0, std::min<std::size_t>(4, raw.size())), bigEndian);
    const std::int32_t den = raw.size() > 4 ? DecodeInteger(raw.substr(4, 4), bigEndian) : 0;
    return den == 0 ? 0.0 : static_cast<double>(num) / den;
  }
  if (valueType == 11 || valueType == 12) {
    const double value = IeeeValue(raw, valueType, bigEndian);
    return std::isfinite(value) ? value : 0.0;
  }
  return 0;
}

std::string FormatTagValue(std::string_view raw, int valueType, std::string_view codes,
                           std::string_view pattern, bool bigEndian, char decimalSeparator) {
  const int width = TypeSize(valueType);
  if (width == 0) return "0";
  const std::size_t count =
      std::min<std::size_t>(raw.size() / static_cast<std::size_t>(width), kMaxComponents);
  std::string text;
  if (count > 1) text.reserve(count * 6);  // a list: room for most components and their commas
  for (std::size_t j = 0; j < count; ++j) {
    if (j > 0) text += kListSeparator;
    AppendComponent(
        text, raw.substr(j * static_cast<std::size_t>(width), static_cast<std::size_t>(width)),
        valueType, codes, bigEndian);
  }
  if (pattern.empty()) return text;
  if (pattern.find("%s") != std::string_view::npos)
    return FormatText(pattern, {std::string_view(text)});
  return FormatText(pattern, {NumericValue(raw, valueType, bigEndian)}, decimalSeparator);
}

std::string_view ValueCodeOf(std::string_view codes, std::string_view value) {
  // The label follows the first ",value:" in ",codes,": each item starts at the list's start or
  // after a comma, and is compared where it stands, without building either text. The value
  // may hold commas itself (a rational list so far) and then spans several items.
  const std::string_view key = TrimBlanks(value);
  for (std::size_t at = 0; at <= codes.size();) {
    if (codes.size() - at > key.size() && codes.compare(at, key.size(), key) == 0 &&
        codes[at + key.size()] == ':') {
      const std::size_t start = at + key.size() + 1;
      return codes.substr(start, codes.find(',', start) - start);
    }
    const std::size_t comma = codes.find(',', at);
    if (comma == std::string_view::npos) break;
    at = comma + 1;
  }
  return {};
}

std::string PrintableText(std::string_view text) {
  std::string out(text.substr(0, 50));
  KeepPrintable(out);
  return out;
}

void KeepPrintable(std::string& text, std::size_t limit) {
  if (text.size() > limit) text.resize(limit);
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 32) c = '.';
  }
}

double FractionValue(std::string_view text) {
  std::string_view t = TrimBlanks(text);
  double whole = 0;
  const auto blank = t.find(' ');
  if (blank != std::string_view::npos) {
    const auto integer = ParseInteger(t.substr(0, blank));
    if (!integer) return 0;
    whole = *integer;
    t = t.substr(blank + 1);
  }
  const auto slash = t.find('/');
  if (slash == std::string_view::npos) return 0;
  const auto num = ParseInteger(t.substr(0, slash));
  const auto den = ParseInteger(t.substr(slash + 1));
  if (!num || !den || *den == 0) return 0;
  return (whole * *den + *num) / *den;
}

// Computed here rather than by the math library's exp2, the only call into that library a read
// would make: that one call maps some 190 KB of the library's code and tables into the reading
// process, about as much as the read's own code.
double PowerOfTwo(double exponent) noexcept {
  if (!(exponent == exponent)) return exponent;
  if (exponent >= 1024) return std::numeric_limits<double>::infinity();
  if (exponent < -1100) return 0.0;
  // 2^exponent = 2^whole * e^y, with y = (exponent - whole) ln 2 within +-0.35. The series of
  // e^y - 1 to its 16th term leaves out less than 2^-60 of it; the 1 is added last.
  const double nearest = std::rint(exponent);
  const auto whole = static_cast<std::int64_t>(nearest);
  const double y = (exponent - nearest) * 0.6931471805599453094;
  double series = 0.0;
  for (int k = 16; k >= 1; --k) series = y / k * (1.0 + series);
  const double scale = 1.0 + series;
  const auto power = [](std::int64_t n) {  // 2^n for n within the normal range, -1022 to 1023
    return std::bit_cast<double>(static_cast<std::uint64_t>(n + 1023) << 52);
  };
  if (whole > 1023) return scale * 2.0 * power(whole - 1);
  if (whole < -1022) return scale * power(whole + 1022) * power(-1022);  // one rounding, at the end
  return scale * power(whole);
}

std::int32_t RoundToInt32(double value) noexcept {
  if (!(value == value)) return 0;
  // rint, not nearbyint: the same value in every rounding mode, and it compiles to a few
  // instructions where nearbyint calls into the math library.
  const double rounded = std::rint(value);
  if (rounded >= 2147483647.0) return 2147483647;
  if (rounded <= -2147483648.0) return -2147483647 - 1;
  return static_cast<std::int32_t>(rounded);
}

}  // namespace dux
