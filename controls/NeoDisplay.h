#pragma once

#include <optional>

#include "controls/NeoUtils.h"

// The display values the host-look controls paint by: set once when the library starts,
// before any control exists, and kept until it unloads.
namespace dux::controls {

using platform::tBitmap;

struct tDisplayValues {
  int screenColorCount = 16777216;
  Color accentColor = 0;
  tBitmap helpGlyph;
};

// The number of colours of a screen with this many bits per pixel (times planes).
int ColorCountFromBits(int bitsTimesPlanes);

// The caption-bar colour: the desktop's colourisation when composition is on, else the
// system highlight colour, made readable under button text.
Color ComputeAccentColor(std::optional<Color> colorization);

// The resource name of the help glyph for a screen of this many colours.
const char* HelpGlyphResource(int screenColorCount);

void SetDisplayValues(tDisplayValues values);
const tDisplayValues& DisplayValues();
// Back to a true-colour screen with the highlight colour as accent and no help glyph.
void ResetDisplayValues();

inline int ScreenColorCount() { return DisplayValues().screenColorCount; }
inline Color AccentColor() { return DisplayValues().accentColor; }
inline const tBitmap& HelpGlyph() { return DisplayValues().helpGlyph; }

}  // namespace dux::controls
