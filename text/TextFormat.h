#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// Formatting as the host's runtime does it: Format patterns, fixed-point numbers with a given
// decimal separator (the user's, where a text is for the user), and strict integer parsing.
namespace dux {

// One argument of FormatText: a whole number, a real or a text.
using tFormatArg = std::variant<std::int64_t, double, std::string_view>;

// Format(pattern, args): %d (whole number), %f (real), %s (text), each with an optional "-"
// (left-justify), width and ".precision"; "%%" is a percent sign. Reals use `decimalSeparator`
// and round half away from zero. An argument of the wrong kind, or a missing one, formats as the
// empty text.
std::string FormatText(std::string_view pattern, std::initializer_list<tFormatArg> args,
                       char decimalSeparator = '.');

// `value` with `precision` decimals (rounded half away from zero) and `decimalSeparator`.
std::string FixedText(double value, int precision, char decimalSeparator = '.');
// FixedText without the trailing zeros of its decimals, nor a separator left bare: 2.8, 70, 0.005.
std::string ShortFixedText(double value, int precision, char decimalSeparator = '.');
// FixedText onto the end of `out`.
void AppendFixed(std::string& out, double value, int precision, char decimalSeparator = '.');

// A date formatted with a Windows-style picture: d, dd, M, MM, yy, yyyy; text in single quotes
// and every other character are copied.
std::string FormatDatePicture(std::string_view picture, int year, int month, int day);

// The whole text as a 32-bit integer: leading blanks, an optional sign, decimal digits or "$"
// and hexadecimal digits, nothing after them. Nothing when the text is not such a number.
std::optional<std::int32_t> ParseInteger(std::string_view text);

}  // namespace dux
