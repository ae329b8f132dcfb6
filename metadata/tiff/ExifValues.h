#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Turning TIFF values into numbers and display texts.
namespace dux {

// The UTF-8 text type that EXIF 3.0 adds beside ASCII.
inline constexpr int kUtf8Type = 129;

// Bytes per component of TIFF value type 0..12 and of UTF-8 text; 0 for any other type.
constexpr int TypeSize(int valueType) noexcept {
  constexpr std::array<int, 13> kTypeSizes = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  if (valueType == kUtf8Type) return 1;
  return valueType >= 0 && valueType < static_cast<int>(kTypeSizes.size())
             ? kTypeSizes[static_cast<std::size_t>(valueType)]
             : 0;
}

// The bytes as one number in the given byte order, kept to its low 32 bits and read as signed:
// a 1- or 2-byte value is never negative, a 4-byte one of 0x80000000 or more is.
std::int32_t DecodeInteger(std::string_view bytes, bool bigEndian) noexcept;

// The value of an entry as a real: whole-number types as DecodeInteger of all the bytes,
// rationals as their first component, floats and doubles as IEEE values; 0 for anything else
// or on any failure (a zero denominator included).
double NumericValue(std::string_view raw, int valueType, bool bigEndian) noexcept;

// The display text of a value: at most 128 components joined with ", ", whole numbers through
// the code list when there is one, rationals as "%d/%d", then the Format pattern (with the
// text for "%s", else with NumericValue and `decimalSeparator`).
std::string FormatTagValue(std::string_view raw, int valueType, std::string_view codes,
                           std::string_view pattern, bool bigEndian, char decimalSeparator);

// The label of `value` in a code list "n:label,n:label", as a view into `codes`; empty when the
// code is not listed.
std::string_view ValueCodeOf(std::string_view codes, std::string_view value);

// The longest value text a line shows: far beyond any caption or comment a camera or a program
// writes, so only a hostile file's value is cut.
inline constexpr std::size_t kMaxValueText = 4096;

// The first 50 characters, each one below 32 shown as "." (a maker note's values).
std::string PrintableText(std::string_view text);
// At most `limit` characters, each one below 32 (a line break, a tab, a zero byte) shown
// as ".", so that a value is always one line of a line list.
void KeepPrintable(std::string& text, std::size_t limit = kMaxValueText);

// "whole num/den" or "num/den" as a real; 0 when the text is not such a fraction.
double FractionValue(std::string_view text);

// A real rounded to the nearest whole number, ties to even, kept inside the 32-bit range.
std::int32_t RoundToInt32(double value) noexcept;

// 2 to the power of a real, as exp2 gives it to the last bit or one unit in it: infinite above
// the range of a double, zero below it.
double PowerOfTwo(double exponent) noexcept;

// A text value as the EXIF and maker-note lines show it, where they quote it: in double quotes,
// as it is (a quote inside stays as it is).
inline std::string QuotedText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  return out.append(1, '"').append(text).append(1, '"');
}

}  // namespace dux
