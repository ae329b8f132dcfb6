#include "metadata/exif/ExifFormatters.h"

#include <array>
#include <cmath>

#include "metadata/tiff/ExifValues.h"
#include "text/TextFormat.h"

namespace dux {
namespace {

// Text before the first ", " (empty when there is none) and up to 64 characters from the
// blank after that comma (from the start when there is none).
struct tSplit {
  std::string_view before, after;
};

tSplit SplitAtListSeparator(std::string_view text) {
  const auto found = text.find(", ");
  if (found == std::string_view::npos) return {{}, text.substr(0, 64)};
  return {text.substr(0, found), text.substr(found + 1, 64)};
}

struct tTriple {
  double first = 0, second = 0, third = 0;
};

tTriple ThreeFractions(std::string_view text) {
  const tSplit a = SplitAtListSeparator(text);
  const tSplit b = SplitAtListSeparator(a.after);
  return {FractionValue(a.before), FractionValue(b.before), FractionValue(b.after)};
}

}  // namespace

std::string FormatComponents(std::string_view text) {
  static constexpr std::array<std::string_view, 7> kNames = {"", "Y", "Cb", "Cr", "R", "G", "B"};
  std::string out;
  for (std::size_t i = 1; i <= 4 && i < text.size(); ++i) {
    const auto code = static_cast<unsigned char>(text[i]);
    if (code < kNames.size()) out += kNames[code];
  }
  return out;
}

std::string FormatShutterSpeed(std::string_view text, FormatContext& context) {
  const double apex = FractionValue(text);
  const double seconds = PowerOfTwo(-apex);
  std::string out = FormatText("%4.4f sec", {seconds}, context.DecimalSeparator());
  if (seconds <= 0.5) out += FormatText(" (1/%d)", {std::int64_t{RoundToInt32(1.0 / seconds)}});
  return out;
}

std::string FormatAperture(std::string_view text, FormatContext& context) {
  // An APEX value: the f-number is 2 to the power of half of it (APEX 5 is f/5.6).
  const double apex = FractionValue(text);
  return FormatText("F%0.1f", {PowerOfTwo(apex / 2)}, context.DecimalSeparator());
}

std::string FormatFlash(std::string_view text) {
  const auto parsed = ParseInteger(text);
  if (!parsed) return std::string(text);
  const std::int32_t v = *parsed;
  std::string out = (v & 1) != 0 ? "On" : "Off";
  switch (v & 6) {
    case 2:
      out += ", UNKNOWN";
      break;
    case 4:
      out += ", no strobe return";
      break;
    case 6:
      out += ", strobe return";
      break;
    default:
      break;
  }
  switch (v & 0x18) {
    case 8:
      out += ", forced";
      break;
    case 16:
      out += ", surpressed";
      break;
    case 24:
      out += ", auto mode";
      break;
    default:
      break;
  }
  if ((v & 0x20) != 0) out += ", no flash function";
  if ((v & 0x40) != 0) out += ", red-eye reduction";
  return out;
}

std::string FormatUserComment(std::string_view text) {
  return text.size() > 8 ? std::string(text.substr(8)) : std::string();
}

std::string FormatWideText(std::string_view text) {
  std::string out;
  std::size_t start = 0;
  for (int k = 1;; ++k) {
    const auto comma = text.find(',', start);
    if (comma == std::string_view::npos) break;  // the last field, a high byte, is never used
    if (k % 2 == 1) {
      const auto value = ParseInteger(text.substr(start, comma - start));
      if (value && (*value & 0xFF) != 0) out += static_cast<char>(*value & 0xFF);
    }
    start = comma + 1;
  }
  return out;
}

std::string FormatGpsCoordinate(std::string_view text) {
  tTriple t = ThreeFractions(text);
  if (t.third == 0) {  // minutes given with a fraction
    t.third = (t.second - std::trunc(t.second)) * 100 * 0.6;
    t.second = std::trunc(t.second);
  }
  return FormatText("%0.0f Degrees %0.0f Minutes %0.0f Seconds", {t.first, t.second, t.third});
}

std::string FormatGpsTime(std::string_view text) {
  const tTriple t = ThreeFractions(text);
  return FormatText("%0.0f:%0.0f:%0.0f", {t.first, t.second, t.third});
}

}  // namespace dux
