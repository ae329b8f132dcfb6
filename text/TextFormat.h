#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// Formatting as the host's runtime does it: Format patterns, fixed-point numbers in the user's
// locale, and strict integer parsing.
namespace dux {

// One argument of FormatText: a whole number, a real or a text.
using tFormatArg = std::variant<std::int64_t, double, std::string_view>;

// Format(pattern, args): %d (whole number), %f (real), %s (text), each with an optional "-"
// (left-justify), width and ".precision"; "%%" is a percent sign. Reals use the user's decimal
// separator and round half away from zero. An argument of the wrong kind, or a missing one,
// formats as the empty text.
std::string FormatText(std::string_view pattern, std::initializer_list<tFormatArg> args);

// `value` with `precision` decimals (rounded half away from zero) and the user's decimal
// separator.
std::string FixedText(double value, int precision);
// FixedText onto the end of `out`.
void AppendFixed(std::string& out, double value, int precision);

// The whole text as a 32-bit integer: leading blanks, an optional sign, decimal digits or "$"
// and hexadecimal digits, nothing after them. Nothing when the text is not such a number.
std::optional<std::int32_t> ParseInteger(std::string_view text);

}  // namespace dux
