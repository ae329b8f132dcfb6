#pragma once

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
// UserComment: the text from its 9th character on.
std::string FormatUserComment(std::string_view text);
// XP title, comment, author, keywords, subject: the low bytes of the 16-bit characters of a
// BYTE list, zero bytes dropped.
std::string FormatWideText(std::string_view text);
// GPS latitude or longitude: "%0.0f Degrees %0.0f Minutes %0.0f Seconds".
std::string FormatGpsCoordinate(std::string_view text);
// GPS time stamp: "%0.0f:%0.0f:%0.0f".
std::string FormatGpsTime(std::string_view text);

}  // namespace dux
