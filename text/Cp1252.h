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

// Text of unknown encoding as 1252: each valid UTF-8 sequence of two bytes or more (what cameras
// and today's programs write) becomes its 1252 character, or "?" where 1252 has none; every other
// byte is taken as 1252 already, as older programs wrote it.
std::string TextAsCp1252(std::string_view text);

// UTF-16 text (UCS-2 and surrogate pairs), two bytes a unit in the given byte order, as 1252; a
// character 1252 cannot hold becomes `replacement`, and an odd last byte is left out.
std::string Utf16ToCp1252(std::string_view bytes, bool bigEndian, char replacement = '?');

// A code page 1252 letter in upper case (a-z, the accented letters, š, œ, ž, ÿ); other bytes
// unchanged.
char Cp1252Upper(char c);

}  // namespace dux
