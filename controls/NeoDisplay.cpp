#include "controls/NeoDisplay.h"

#include <algorithm>

namespace dux::controls {
namespace {

constexpr int kCaptionContrast = 175;

tDisplayValues& Values() {
  static tDisplayValues values{16777216, ComputeAccentColor(std::nullopt), {}};
  return values;
}

}  // namespace

int ColorCountFromBits(int bitsTimesPlanes) {
  if (bitsTimesPlanes < 9) return 1 << std::max(bitsTimesPlanes, 0);
  return 16777216;
}

Color ComputeAccentColor(std::optional<Color> colorization) {
  Color accent = colorization ? *colorization & 0xFFFFFF : ResolveColor(kClHighlight);
  EnsureContrast(accent, kClBtnText, kCaptionContrast);
  return accent;
}

const char* HelpGlyphResource(int screenColorCount) {
  return screenColorCount < 256 ? "NBHB_GLYPH_16" : "NBHB_GLYPH_256";
}

void SetDisplayValues(tDisplayValues values) { Values() = std::move(values); }

const tDisplayValues& DisplayValues() { return Values(); }

void ResetDisplayValues() { Values() = {16777216, ComputeAccentColor(std::nullopt), {}}; }

}  // namespace dux::controls
