#include "text/TextFormat.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace dux {
namespace {

// The precisions of most patterns (up to 4), in integers alone: |value| = m * 2^e with m below
// 2^53, so |value| * 10^precision = m * 5^precision * 2^(e + precision), and m * 5^4 stays
// below 2^63. That number is rounded half away from zero at its binary point, which gives what
// the long conversion below gives: it could only differ for a value within 10^-20 of a tie,
// and a fraction of fewer than 64 bits is either a tie or further from one. False when the
// precision is larger or the whole number does not fit in 64 bits.
bool AppendFixedInIntegers(std::string& out, double magnitude, int precision) {
  static constexpr std::uint64_t kFives[] = {1, 5, 25, 125, 625};
  static constexpr std::uint64_t kTens[] = {1, 10, 100, 1000, 10000};
  if (precision > 4) return false;
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const auto biased = static_cast<int>(bits >> 52 & 0x7FF);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased != 0) mantissa |= std::uint64_t{1} << 52;
  const int shift = (biased == 0 ? -1074 : biased - 1075) + precision;
  const std::uint64_t scaled = mantissa * kFives[precision];
  std::uint64_t rounded = 0;
  if (shift >= 0) {
    if (shift >= 64 || scaled > UINT64_MAX >> shift) return false;
    rounded = scaled << shift;
  } else if (shift > -64) {
    rounded =
        (scaled >> -shift) + (scaled >> (-shift - 1) & 1);  // the first bit dropped: half or more
  }  // else below one half: scaled is below 2^63
  char digits[32];
  char* end = std::to_chars(digits, digits + sizeof digits, rounded / kTens[precision]).ptr;
  if (precision > 0) {
    *end++ = '.';
    std::uint64_t fraction = rounded % kTens[precision];
    for (int i = precision; i-- > 0; fraction /= 10)
      end[i] = static_cast<char>('0' + fraction % 10);
    end += precision;
  }
  out.append(digits, end);
  return true;
}

// Appends the decimal digits of |value| with `precision` decimals, rounded half away from zero:
// the digits are taken 20 places further first, so that an exact binary tie (2.25) is seen as
// one. Returns false when there are none (a precision too large to write).
bool AppendAbsoluteFixed(std::string& out, double value, int precision) {
  if (AppendFixedInIntegers(out, std::fabs(value), precision)) return true;
  char digits[513];
  digits[0] = '0';  // room for the carry of 9.99 to 10.0
  const auto result = std::to_chars(digits + 1, digits + sizeof digits, std::fabs(value),
                                    std::chars_format::fixed, precision + 20);
  if (result.ec != std::errc()) return false;
  const std::string_view written(digits + 1, static_cast<std::size_t>(result.ptr - (digits + 1)));
  const std::size_t dot = written.find('.');
  if (dot == std::string_view::npos) {
    out.append(written);
    return true;
  }
  const std::size_t end = 1 + dot + (precision > 0 ? 1 + static_cast<std::size_t>(precision) : 0);
  if (written[dot + 1 + static_cast<std::size_t>(precision)] >= '5') {
    for (std::size_t i = end; i-- > 0;) {
      if (digits[i] == '.') continue;
      if (digits[i] != '9') {
        ++digits[i];
        break;
      }
      digits[i] = '0';
    }
  }
  const std::size_t start = digits[0] == '0' ? 1 : 0;
  out.append(digits + start, end - start);
  return true;
}

// Appends one argument as the conversion writes it.
void AppendArgument(std::string& out, char conversion, const tFormatArg* arg, int precision,
                    char separator) {
  if (arg == nullptr) return;
  switch (conversion) {
    case 'd':
      if (std::holds_alternative<std::int64_t>(*arg)) {
        char digits[24];
        const auto result =
            std::to_chars(digits, digits + sizeof digits, std::get<std::int64_t>(*arg));
        out.append(digits, result.ptr);
      }
      return;
    case 'f':
      if (std::holds_alternative<double>(*arg))
        AppendFixed(out, std::get<double>(*arg), precision < 0 ? 2 : precision, separator);
      if (std::holds_alternative<std::int64_t>(*arg)) {
        AppendFixed(out, static_cast<double>(std::get<std::int64_t>(*arg)),
                    precision < 0 ? 2 : precision, separator);
      }
      return;
    case 's':
      if (std::holds_alternative<std::string_view>(*arg)) {
        out.append(std::get<std::string_view>(*arg).substr(
            0, precision < 0 ? std::string_view::npos : static_cast<std::size_t>(precision)));
      }
      return;
    default:
      return;
  }
}

}  // namespace

void AppendFixed(std::string& out, double value, int precision, char decimalSeparator) {
  if (std::isnan(value)) {
    out.append("NAN");
    return;
  }
  if (std::isinf(value)) {
    out.append(value < 0 ? "-INF" : "INF");
    return;
  }
  precision = std::max(precision, 0);
  const std::size_t start = out.size();
  if (value < 0) out.push_back('-');
  const std::size_t digits = out.size();
  if (!AppendAbsoluteFixed(out, value, precision)) {
    out.resize(start);
    return;
  }
  const std::string_view written = std::string_view(out).substr(digits);
  if (value < 0 && written.find_first_not_of("0.") == std::string_view::npos)
    out.erase(start, 1);  // no "-0.00"
  const std::size_t dot = out.find('.', start);
  if (dot != std::string::npos) out[dot] = decimalSeparator;
}

std::string FixedText(double value, int precision, char decimalSeparator) {
  std::string text;
  AppendFixed(text, value, precision, decimalSeparator);
  return text;
}

std::string ShortFixedText(double value, int precision, char decimalSeparator) {
  std::string text = FixedText(value, precision, decimalSeparator);
  if (text.find(decimalSeparator) == std::string::npos) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == decimalSeparator) text.pop_back();
  return text;
}

std::string FormatText(std::string_view pattern, std::initializer_list<tFormatArg> args,
                       char decimalSeparator) {
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
    while (j < pattern.size() && pattern[j] >= '0' && pattern[j] <= '9')
      width = width * 10 + (pattern[j++] - '0');
    if (j < pattern.size() && pattern[j] == '.') {
      precision = 0;
      ++j;
      while (j < pattern.size() && pattern[j] >= '0' && pattern[j] <= '9')
        precision = precision * 10 + (pattern[j++] - '0');
    }
    if (j >= pattern.size()) break;
    const char conversion = static_cast<char>(pattern[j] | 0x20);
    const tFormatArg* arg = next != args.end() ? &*next++ : nullptr;
    const std::size_t start = out.size();
    AppendArgument(out, conversion, arg, precision, decimalSeparator);
    const std::size_t length = out.size() - start;
    if (width > 0 && length < static_cast<std::size_t>(width)) {
      const std::size_t pad = static_cast<std::size_t>(width) - length;
      if (left) {
        out.append(pad, ' ');
      } else {
        out.insert(start, pad, ' ');
      }
    }
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

namespace {

std::string Padded(int value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", digits, value);
  return text;
}

}  // namespace

std::string FormatDatePicture(std::string_view picture, int year, int month, int day) {
  std::string out;
  for (std::size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    std::size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    if (c == '\'') {
      const auto close = picture.find('\'', i + 1);
      out +=
          picture.substr(i + 1, (close == std::string_view::npos ? picture.size() : close) - i - 1);
      i = close == std::string_view::npos ? picture.size() : close + 1;
      continue;
    }
    if (c == 'd') {
      out += run >= 2 ? Padded(day, 2) : std::to_string(day);
    } else if (c == 'M') {
      out += run >= 2 ? Padded(month, 2) : std::to_string(month);
    } else if (c == 'y') {
      out += run >= 3   ? Padded(year, 4)
             : run == 2 ? Padded(year % 100, 2)
                        : std::to_string(year % 100);
    } else {
      out.append(run, c);
    }
    i += run;
  }
  return out;
}

}  // namespace dux
