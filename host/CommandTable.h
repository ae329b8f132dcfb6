#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "host/HostApi.h"

namespace dux {

// One command of the plug-in as the host sees it.
struct tCommandRow {
  std::int32_t Number = 0;
  std::string_view Name{};
  int Group = 0;  // 1 "IPTC-Info", 2 "EXIF-Info"
  std::array<ParamKind, 5> Kinds{};
  std::uint8_t Count = 0;  // parameters used, the first Count entries of Kinds
  std::string_view DefaultDescription{};
};

inline constexpr std::string_view kProductName = "duxIPTC";
inline constexpr std::string_view kPlugInTitle = "duxIPTC 1.09";
inline constexpr std::string_view kPlugInAuthor = "The duxIPTC Team";
inline constexpr std::string_view kDefaultHint = "Use this plug-in to read/write IPTC-Info!";

inline constexpr std::array<std::string_view, 2> kDefaultGroupDescriptions = {"IPTC-Info",
                                                                              "EXIF-Info"};

inline constexpr std::array<tCommandRow, 6> kCommands = {{
    {1, "duxIPTCread", 1, {ParamKind::Text}, 1, "Reads IPTC-Info from a JPG-file!"},
    {2,
     "duxIPTCwrite",
     1,
     {ParamKind::Text, ParamKind::Text},
     2,
     "Writes IPTC-Info from a JPG-file!"},
    {3,
     "duxIPTCsetVar",
     1,
     {ParamKind::Variable, ParamKind::Text},
     2,
     "Set a variable for the plugin or any other variable."},
    {4,
     ".duxIPTCvarTemplate",
     1,
     {ParamKind::Text},
     1,
     "Insert a variable template with all plugin variables."},
    {5, "duxEXIFread", 2, {ParamKind::Text}, 1, "Reads EXIF-Info from a JPG-file!"},
    {6,
     "duxGetTag",
     2,
     {ParamKind::Text, ParamKind::Text, ParamKind::Text, ParamKind::Number, ParamKind::Variable},
     5,
     "Find a line with a tag-string and get line or field out of a string/file."},
}};

// The row of command `number`, or nothing for numbers outside 1..6.
std::optional<tCommandRow> CommandByNumber(std::int32_t number);

}  // namespace dux
