#pragma once

#include <string>
#include <string_view>

// Conversions between the host's code page 1252 and UTF-8.
namespace dux {

// Every byte maps to one character; the five bytes that 1252 leaves undefined map to the C1
// control characters of the same value, so the conversion is lossless.
std::string Cp1252ToUtf8(std::string_view text);

// Characters that 1252 cannot hold, and bytes that are not valid UTF-8, become `replacement`.
std::string Utf8ToCp1252(std::string_view text, char replacement = '?');

// A code page 1252 letter in upper case (a-z, the accented letters, š, œ, ž, ÿ); other bytes
// unchanged.
char Cp1252Upper(char c);

}  // namespace dux
