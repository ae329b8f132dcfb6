#pragma once

#include <array>
#include <string>
#include <string_view>

namespace dux::platform {

// Code points of the code page 1252 bytes 0x80..0x9F, the ones that differ from Latin-1; the
// undefined ones keep their own value. The bytes from 0xA0 on are Latin-1's.
inline constexpr std::array<char32_t, 32> kCp1252HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Code page 1252 text as UTF-8: what the host's texts are, as this system names its files and
// XML writes its text. Every byte has a character.
std::string Cp1252ToUtf8(std::string_view text);

}  // namespace dux::platform
