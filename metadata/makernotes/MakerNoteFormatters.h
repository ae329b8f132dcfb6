#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "metadata/tiff/TTagEntry.h"

namespace dux {

// What a Canon list field holds, beyond a code or a number as it stands.
enum class tCanonUnit : std::uint8_t {
  kAsStored,     // through the code list, or as it stands where there is none
  kFocalLength,  // a length in the camera's focal units (camera-settings field 26): "21.3 mm"
  kDistance,     // hundredths of a metre, 65535 for infinity: "1.5 m", "inf"
};

// One named value of a Canon list: the comma field of the list text it reads (the 1-based
// position in the list; a record's index is one less, its first value being its size), its code
// list, and its unit.
struct tCanonListField {
  std::string_view label;
  int field = 0;
  std::string_view codes;
  tCanonUnit unit = tCanonUnit::kAsStored;
};
std::span<const tCanonListField> CanonCameraSettingsFields();
std::span<const tCanonListField> CanonShotInfoFields();

// Nikon colour mode: "MODE1", "MODE2", "MODE3" in words; any other text as its five letters.
std::string FormatColorModeText(std::string_view text);
// Nikon lens: four numbers as "%0.1f-%0.1f(mm)  F%0.1f-F%0.1f".
std::string FormatLensRange(std::string_view text, FormatContext& context);
// Sony's LensSpec tag, eight bytes (as a quoted text or a list of numbers): the lens's
// features around its focal and aperture range, "E 16-50mm F3.5-5.6 PZ OSS"; any other text
// as it is.
std::string FormatSonyLensSpec(std::string_view text);
// Canon camera settings, shot information and custom functions: each adds named values to the
// context, has the entry keep its plain list text, and returns the values' lines.
std::string ListCameraSettings(std::string_view text, FormatContext& context);
std::string ListShotInfo(std::string_view text, FormatContext& context);
std::string ListFileInfo(std::string_view text, FormatContext& context);
std::string ListCustomFunctions(std::string_view text, FormatContext& context);

}  // namespace dux
