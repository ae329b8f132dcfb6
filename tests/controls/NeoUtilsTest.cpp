#include "controls/NeoUtils.h"

#include <gtest/gtest.h>

#include "platform/Display.h"
#include "platform/MemoryCanvas.h"

namespace dux::controls {
namespace {

using platform::MemoryCanvas;

TEST(BlendColors, MixesByPercentBelowOneHundredAndPerMilleAbove) {
  EXPECT_EQ(BlendColors(kBlack, kWhite, 50), Rgb(128, 128, 128));  // rounding half up
  EXPECT_EQ(BlendColors(Rgb(1, 2, 3), Rgb(90, 80, 70), 0), Rgb(90, 80, 70));
  EXPECT_EQ(BlendColors(Rgb(1, 2, 3), Rgb(90, 80, 70), 99), Rgb(2, 3, 4));
  EXPECT_EQ(BlendColors(kBlack, kWhite, 100), Rgb(230, 230, 230));  // 10 % of black
  EXPECT_EQ(BlendColors(Rgb(200, 0, 10), kWhite, 1000), Rgb(200, 0, 10));
  EXPECT_EQ(BlendColors(Rgb(255, 0, 0), Rgb(0, 0, 255), 25), Rgb(64, 0, 191));
}

TEST(BlendColors, ResolvesSystemColoursFirst) {
  const Color face = platform::SystemColor(15);
  EXPECT_EQ(BlendColors(kClBtnFace, kClBtnFace, 37), face);
  EXPECT_EQ(ShiftColor(kClBtnFace, 0), face);
  EXPECT_EQ(ResolveColor(kClBtnShadow), platform::SystemColor(16));
  EXPECT_EQ(ResolveColor(Rgb(1, 2, 3)), Rgb(1, 2, 3));
}

TEST(ShiftColor, ClampsEachChannel) {
  EXPECT_EQ(ShiftColor(Rgb(250, 10, 128), 20), Rgb(255, 30, 148));
  EXPECT_EQ(ShiftColor(Rgb(250, 10, 128), -20), Rgb(230, 0, 108));
  EXPECT_EQ(ShiftColor(kFaceBase, 20), kFaceLight);
}

TEST(ColorDistance, WeighsGreenMostAndBlueLeast) {
  EXPECT_NEAR(ColorDistance(kBlack, kWhite), 440.85f, 0.01f);
  EXPECT_NEAR(ColorDistance(kBlack, Rgb(255, 0, 0)), 195.0f, 0.001f);
  EXPECT_NEAR(ColorDistance(kBlack, Rgb(0, 255, 0)), 390.0f, 0.001f);
  EXPECT_NEAR(ColorDistance(Rgb(0, 0, 255), kBlack), 65.0f, 0.001f);
  EXPECT_EQ(ColorDistance(Rgb(9, 9, 9), Rgb(9, 9, 9)), 0.0f);
}

TEST(RequiredContrast, DoublesForABlackReference) {
  EXPECT_DOUBLE_EQ(RequiredContrast(175, 0), 350);
  EXPECT_DOUBLE_EQ(RequiredContrast(175, 110), 262.5);
  EXPECT_DOUBLE_EQ(RequiredContrast(175, 220), 175);
  EXPECT_DOUBLE_EQ(RequiredContrast(175, 400), 175);
}

TEST(HasContrast, ScalesTheThresholdByTheReference) {
  EXPECT_TRUE(HasContrast(kWhite, kBlack, false, 175));
  EXPECT_TRUE(HasContrast(kWhite, kBlack, true, 175));           // 440.85 > 350
  EXPECT_FALSE(HasContrast(Rgb(0, 200, 0), kBlack, true, 175));  // 305.9 < 350
  EXPECT_TRUE(HasContrast(Rgb(0, 200, 0), kBlack, false, 175));
}

TEST(EnsureContrast, LightensMidBlueUnderBlackTextAlongItsHue) {
  Color blue = Rgb(0, 0, 128);
  EnsureContrast(blue, kBlack, 175);
  EXPECT_EQ(blue, Rgb(202, 202, 229));
  EXPECT_NEAR(ColorDistance(blue, kBlack), 350, 1.0);
  EXPECT_GT(platform::BlueOf(blue), platform::RedOf(blue));
}

TEST(EnsureContrast, DarkensALightColourUnderWhiteText) {
  Color yellow = Rgb(255, 255, 128);
  EnsureContrast(yellow, kWhite, 175);
  EXPECT_NEAR(ColorDistance(yellow, kWhite), 175, 1.5);
  EXPECT_LT(platform::GreenOf(yellow), 255);
  EXPECT_GE(platform::RedOf(yellow), platform::BlueOf(yellow));
}

TEST(EnsureContrast, KeepsAReadableColourAndResolvesSystemColours) {
  Color white = kWhite;
  EnsureContrast(white, kBlack, 175);
  EXPECT_EQ(white, kWhite);
  Color face = kClBtnFace;
  EnsureContrast(face, Rgb(255, 255, 255), 1);
  EXPECT_EQ(face, platform::SystemColor(15));  // a plain colour comes back
}

TEST(EnsureContrast, MovesBlackAwayFromANearBlackReference) {
  Color black = kBlack;  // mirrored toward white, the ray runs through the brightest colour
  EnsureContrast(black, Rgb(0, 0, 10), 175);
  EXPECT_GT(ColorDistance(black, kBlack), 300);
}

// Colours of the lines a gradient painted, top to bottom (or left to right).
std::vector<Color> Lines(const MemoryCanvas& canvas, bool vertical, int count) {
  std::vector<Color> lines;
  for (int i = 0; i < count; ++i)
    lines.push_back(vertical ? canvas.Image().At(1, i) : canvas.Image().At(i, 1));
  return lines;
}

TEST(FillGradient, RunsFromStartToEndTruncatingTowardZero) {
  MemoryCanvas canvas(3, 5, kWhite);
  FillGradient(canvas, {0, 0, 3, 5}, Rgb(0, 0, 200), true, Rgb(100, 0, 0));
  EXPECT_EQ(Lines(canvas, true, 5),
            (std::vector<Color>{Rgb(100, 0, 0), Rgb(75, 0, 50), Rgb(50, 0, 100), Rgb(25, 0, 150),
                                Rgb(0, 0, 200)}));
  MemoryCanvas small(4, 3, kWhite);
  FillGradient(small, {0, 0, 4, 3}, Rgb(10, 10, 10), false, kBlack);
  // 10 + g * (0 - 10) / 3 with g = 3, 2, 1, 0 from the left: -6.67 truncates to -6, not -7.
  EXPECT_EQ(Lines(small, false, 4),
            (std::vector<Color>{Rgb(0, 0, 0), Rgb(4, 4, 4), Rgb(7, 7, 7), Rgb(10, 10, 10)}));
}

TEST(FillGradient, OneLineTakesTheEndColourAndEmptyDrawsNothing) {
  MemoryCanvas canvas(4, 4, kWhite);
  FillGradient(canvas, {0, 1, 4, 2}, Rgb(1, 2, 3), true, Rgb(200, 200, 200));
  EXPECT_EQ(canvas.Image().At(2, 1), Rgb(1, 2, 3));
  EXPECT_EQ(canvas.Image().At(2, 0), kWhite);
  EXPECT_EQ(canvas.Image().At(2, 2), kWhite);
  FillGradient(canvas, {0, 3, 4, 3}, kBlack, true, kBlack);
  FillGradient(canvas, {3, 0, 1, 4}, kBlack, false, kBlack);
  EXPECT_EQ(canvas.Image().At(2, 3), kWhite);
  EXPECT_EQ(canvas.Image().At(1, 0), kWhite);
}

TEST(BlendPixel, RoundsAndWidensHighAlphas) {
  MemoryCanvas canvas(4, 1, Rgb(10, 20, 30));
  BlendPixel(canvas, 0, 0, 200, Rgb(250, 100, 0));
  EXPECT_EQ(canvas.Image().At(0, 0), Rgb(198, 83, 6));
  BlendPixel(canvas, 1, 0, 100, Rgb(250, 100, 0));
  EXPECT_EQ(canvas.Image().At(1, 0), Rgb(104, 51, 18));
  BlendPixel(canvas, 2, 0, 0, kWhite);
  EXPECT_EQ(canvas.Image().At(2, 0), Rgb(10, 20, 30));
  BlendPixel(canvas, 3, 0, 255, Rgb(7, 8, 9));
  EXPECT_EQ(canvas.Image().At(3, 0), Rgb(7, 8, 9));
  MemoryCanvas black(1, 1, kBlack);
  BlendPixel(black, 0, 0, 128, kWhite);  // 128 counts as 129: 255 * 129 + 127 over 256
  EXPECT_EQ(black.Image().At(0, 0), Rgb(128, 128, 128));
  BlendPixel(black, 5, 5, 128, kWhite);  // outside: nothing to read, nothing drawn
}

TEST(DrawCornerStamp, BlendsTheFourPatterns) {
  const std::vector<int> topLeft = {225, 175, 55, 175, 55, 195, 55, 195, 255};
  const std::vector<std::pair<tCornerStamp, std::vector<int>>> cases = {
      {kStampTopLeft, topLeft},
      {kStampTopRight, {55, 175, 225, 195, 55, 175, 255, 195, 55}},
      {kStampBottomLeft, {55, 195, 255, 175, 55, 195, 225, 175, 55}},
      {kStampBottomRight, {255, 195, 55, 195, 55, 175, 55, 175, 225}},
  };
  for (const auto& [stamp, expected] : cases) {
    MemoryCanvas canvas(5, 5, kWhite);
    DrawCornerStamp(canvas, 1, 1, stamp, kBlack);
    for (int i = 0; i < 9; ++i) {
      const int v = expected[static_cast<std::size_t>(i)];
      EXPECT_EQ(canvas.Image().At(1 + i % 3, 1 + i / 3), Rgb(v, v, v)) << "pixel " << i;
    }
    EXPECT_EQ(canvas.Image().At(0, 0), kWhite);
    EXPECT_EQ(canvas.Image().At(4, 4), kWhite);
  }
}

TEST(DrawBevelFrame, LightTopLeftDarkBottomRightMixedCorners) {
  const Color l = Rgb(200, 200, 200), d = Rgb(100, 100, 100), b = BlendColors(l, d, 50), o = kWhite;
  MemoryCanvas canvas(4, 3, o);
  DrawBevelFrame(canvas, {0, 0, 4, 3}, l, d);
  const std::vector<Color> expected = {l, l, l, b,  //
                                       l, o, o, d,  //
                                       b, d, d, d};
  EXPECT_EQ(canvas.Image().pixels, expected);
}

TEST(DrawRoundedOutline, StraightEdgesAndStampedCorners) {
  MemoryCanvas canvas(10, 10, kWhite);
  DrawRoundedOutline(canvas, {0, 0, 10, 10}, kBlack);
  const auto& image = canvas.Image();
  for (int i = 3; i <= 6; ++i) {
    EXPECT_EQ(image.At(i, 0), kBlack);
    EXPECT_EQ(image.At(i, 9), kBlack);
    EXPECT_EQ(image.At(0, i), kBlack);
    EXPECT_EQ(image.At(9, i), kBlack);
  }
  EXPECT_EQ(image.At(0, 0), Rgb(225, 225, 225));  // alpha 30
  EXPECT_EQ(image.At(9, 0), Rgb(225, 225, 225));
  EXPECT_EQ(image.At(0, 9), Rgb(225, 225, 225));
  EXPECT_EQ(image.At(9, 9), Rgb(225, 225, 225));
  EXPECT_EQ(image.At(1, 1), Rgb(55, 55, 55));  // alpha 200
  EXPECT_EQ(image.At(2, 2), kWhite);           // alpha 0
  EXPECT_EQ(image.At(5, 5), kWhite);
}

}  // namespace
}  // namespace dux::controls
