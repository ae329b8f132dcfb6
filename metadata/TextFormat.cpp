#include "metadata/TextFormat.h"

#include <charconv>
#include <cmath>

#include "platform/Locale.h"

namespace dux {
namespace {

// The decimal digits of |value| with `precision` decimals, rounded half away from zero: the
// digits are taken 20 places further first, so that an exact binary tie (2.25) is seen as one.
std::string AbsoluteFixed(double value, int precision) {
  char digits[512];
  const auto result = std::to_chars(digits, digits + sizeof digits, std::fabs(value),
                                    std::chars_format::fixed, precision + 20);
  std::string text(digits, result.ec == std::errc() ? result.ptr : digits);
  const auto dot = text.find('.');
  if (dot == std::string::npos) return text;
  const bool roundUp = text[dot + 1 + static_cast<std::size_t>(precision)] >= '5';
  text.resize(precision > 0 ? dot + 1 + static_cast<std::size_t>(precision) : dot);
  if (roundUp) {
    std::size_t i = text.size();
    for (;;) {
      if (i == 0) {
        text.insert(text.begin(), '1');
        break;
      }
      --i;
      if (text[i] == '.') continue;
      if (text[i] == '9') {
        text[i] = '0';
      } else {
        ++text[i];
        break;
      }
    }
  }
  return text;
}

std::string Justified(std::string text, int width, bool left) {
  if (width > 0 && static_cast<int>(text.size()) < width) {
    const std::string pad(static_cast<std::size_t>(width) - text.size(), ' ');
    text = left ? text + pad : pad + text;
  }
  return text;
}

std::string ArgumentText(char conversion, const tFormatArg* arg, int precision) {
  if (arg == nullptr) return {};
  switch (conversion) {
    case 'd':
      return std::holds_alternative<std::int64_t>(*arg) ? std::to_string(std::get<std::int64_t>(*arg)) : "";
    case 'f':
      if (std::holds_alternative<double>(*arg)) return FixedText(std::get<double>(*arg), precision < 0 ? 2 : precision);
      if (std::holds_alternative<std::int64_t>(*arg)) {
        return FixedText(static_cast<double>(std::get<std::int64_t>(*arg)), precision < 0 ? 2 : precision);
      }
      return {};
    case 's':
      if (!std::holds_alternative<std::string_view>(*arg)) return {};
      return std::string(std::get<std::string_view>(*arg).substr(0, precision < 0 ? std::string_view::npos
                                                                                   : static_cast<std::size_t>(precision)));
    default:
      return {};
  }
}

}  // namespace

std::string FixedText(double value, int precision) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  std::string text = AbsoluteFixed(value, precision);
  const bool zero = text.find_first_not_of("0.") == std::string::npos;
  const auto dot = text.find('.');
  if (dot != std::string::npos) text[dot] = platform::DecimalSeparator();
  return (value < 0 && !zero ? "-" : "") + text;
}

std::string FormatText(std::string_view pattern, std::initializer_list<tFormatArg> args) {
  std::string out;
  auto next = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') {
      out += pattern[i];
      continue;
    }
    if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    const bool left = j < pattern.size() && pattern[j] == '-';
    if (left) ++j;
    int width = 0, precision = -1;
    while (j < pattern.size() && pattern[j] >= '0' && pattern[j] <= '9') width = width * 10 + (pattern[j++] - '0');
    if (j < pattern.size() && pattern[j] == '.') {
      precision = 0;
      ++j;
      while (j < pattern.size() && pattern[j] >= '0' && pattern[j] <= '9') precision = precision * 10 + (pattern[j++] - '0');
    }
    if (j >= pattern.size()) break;
    const char conversion = static_cast<char>(pattern[j] | 0x20);
    const tFormatArg* arg = next != args.end() ? &*next++ : nullptr;
    out += Justified(ArgumentText(conversion, arg, precision), width, left);
    i = j;
  }
  return out;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * base + digit;
    if (value > 0xFFFFFFFFLL) return std::nullopt;
  }
  if (base == 10) {
    value = negative ? -value : value;
    if (value > 0x7FFFFFFFLL || value < -0x80000000LL) return std::nullopt;
    return static_cast<std::int32_t>(value);
  }
  // Hexadecimal takes all 32 bits, as the host's runtime does ("$FFFFFFFF" is -1).
  const auto bits = static_cast<std::uint32_t>(value);
  return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

}  // namespace dux
