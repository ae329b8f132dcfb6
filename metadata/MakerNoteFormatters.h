#pragma once

#include <span>
#include <string>
#include <string_view>

namespace dux {

class TImageInfo;

// What the maker-note walk shares with the row formatters while one note is decoded: the
// directory set that receives named values, and whether the formatted tag keeps its plain
// value text (raised by the three Canon list formatters). Only one decode runs at a time.
struct tMakerNoteState {
  TImageInfo* decodingInfo = nullptr;
  bool keepUnformatted = false;
};
tMakerNoteState& MakerNoteState();

// One named value of a Canon list: the comma field of the list text it reads, and its code
// list (empty: the field as it stands).
struct tCanonListField {
  std::string_view label;
  int field = 0;
  std::string_view codes;
};
std::span<const tCanonListField> CanonCameraSettingsFields();
std::span<const tCanonListField> CanonShotInfoFields();

// Nikon colour mode: "MODE1", "MODE2", "MODE3" in words; any other text as its five letters.
std::string FormatColorModeText(std::string_view text);
// Nikon lens: four numbers as "%0.1f-%0.1f(mm)  F%0.1f-F%0.1f".
std::string FormatLensRange(std::string_view text);
// Canon camera settings, shot information and custom functions: each adds named values to the
// decoding directory set and returns their lines.
std::string ListCameraSettings(std::string_view text);
std::string ListShotInfo(std::string_view text);
std::string ListCustomFunctions(std::string_view text);

}  // namespace dux
