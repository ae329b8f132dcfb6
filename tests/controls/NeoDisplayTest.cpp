#include "controls/NeoDisplay.h"

#include <gtest/gtest.h>

#include "platform/Display.h"

namespace dux::controls {
namespace {

TEST(NeoDisplay, ColourCountFromScreenDepth) {
  EXPECT_EQ(ColorCountFromBits(1), 2);
  EXPECT_EQ(ColorCountFromBits(4), 16);
  EXPECT_EQ(ColorCountFromBits(8), 256);
  EXPECT_EQ(ColorCountFromBits(9), 16777216);
  EXPECT_EQ(ColorCountFromBits(16), 16777216);
  EXPECT_EQ(ColorCountFromBits(32), 16777216);
  EXPECT_STREQ(HelpGlyphResource(16), "NBHB_GLYPH_16");
  EXPECT_STREQ(HelpGlyphResource(256), "NBHB_GLYPH_256");
  EXPECT_STREQ(HelpGlyphResource(16777216), "NBHB_GLYPH_256");
}

TEST(NeoDisplay, AccentFromTheColorizationMadeReadableUnderButtonText) {
  if (platform::SystemColor(18) != kBlack)
    GTEST_SKIP() << "button text is not black on this desktop";
  EXPECT_EQ(ComputeAccentColor(0xFF800000u), Rgb(202, 202, 229));     // top byte dropped, lightened
  EXPECT_EQ(ComputeAccentColor(Rgb(255, 255, 0)), Rgb(255, 255, 0));  // readable as it is
}

TEST(NeoDisplay, WithCompositionOffTheHighlightColourIsTheAccent) {
  platform::SetStandInDisplay(32, std::nullopt, Rgb(0, 0, 128));
  if (platform::SystemColor(13) != Rgb(0, 0, 128)) {
    platform::ResetStandInDisplay();
    GTEST_SKIP() << "the real desktop's colours are in use";
  }
  EXPECT_FALSE(platform::OpenDesktopComposition()->ColorizationColor());
  EXPECT_EQ(ComputeAccentColor(platform::OpenDesktopComposition()->ColorizationColor()),
            Rgb(202, 202, 229));
  platform::SetStandInDisplay(32, Rgb(255, 255, 0), Rgb(0, 0, 128));
  EXPECT_EQ(ComputeAccentColor(platform::OpenDesktopComposition()->ColorizationColor()),
            Rgb(255, 255, 0));
  platform::ResetStandInDisplay();
}

}  // namespace
}  // namespace dux::controls
