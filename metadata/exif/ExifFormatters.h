#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "metadata/tiff/TTagEntry.h"

// The special formatters the tag tables name. Each takes the display text the directory walk
// computed for an entry (not its bytes) and returns the final text.
namespace dux {

// ComponentsConfiguration: the quoted bytes 1..6 as Y, Cb, Cr, R, G, B ("YCbCr").
std::string FormatComponents(std::string_view text);
// ShutterSpeedValue (APEX): "%4.4f sec", and " (1/%d)" for half a second or less.
std::string FormatShutterSpeed(std::string_view text, FormatContext& context);
// ApertureValue and MaxApertureValue: the f-number of an APEX value, "F5.6".
std::string FormatAperture(std::string_view text, FormatContext& context);
// Flash: "On"/"Off" and the meaning of the other bits.
std::string FormatFlash(std::string_view text);
// LensSpecification, four rationals: "24-70 mm f/2.8", "18-55 mm f/3.5-5.6", "35 mm f/1.4"; an
// unknown (0/0) value is "?". Any other text is returned as it is.
std::string FormatLensSpecification(std::string_view text, FormatContext& context);
// A version of byte numbers, GPSVersionID's "2, 3, 0, 0": "2.3.0.0".
std::string FormatVersionNumbers(std::string_view text);
// GPS latitude or longitude: "%0.0f Degrees %0.0f Minutes %0.0f Seconds".// GPS latitude or
// longitude: "%0.0f Degrees %0.0f Minutes %0.0f Seconds".
std::string FormatGpsCoordinate(std::string_view text);
// GPS time stamp: "%0.0f:%0.0f:%0.0f".
std::string FormatGpsTime(std::string_view text);

// The text of a value with an 8-byte character code in front (UserComment, the GPS processing
// mode and area), in code page 1252: "ASCII" (or blank) text up to its first zero byte, taken as
// UTF-8 where it is valid UTF-8; "UNICODE" text as UTF-16 in the byte order its zero bytes show
// (some programs write it little-endian in a big-endian file), else in `bigEndian`; "JIS" and
// unknown codes as their bytes. Blanks at either end are trimmed.
std::string CharacterCodeText(std::string_view raw, bool bigEndian);

// The text of a value whose type does not make it text (the row's `Text`), in code page 1252;
// nothing for kByType.
std::optional<std::string> DecodedText(std::string_view raw, tTextKind kind, bool bigEndian);

}  // namespace dux
