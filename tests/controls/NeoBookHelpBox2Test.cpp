#include "controls/NeoBookHelpBox2.h"

#include <gtest/gtest.h>

#include "controls/ControlScreen.h"
#include "tests/controls/ControlsTestSupport.h"

namespace dux::controls {
namespace {

using platform::MemoryCanvas;
using testing::At;
using testing::DisplayGuard;

constexpr Color K = TNeoBookHelpBox2::kBorderColor;
constexpr Color F1 = TNeoBookHelpBox2::kTabColor;
constexpr Color F2 = TNeoBookHelpBox2::kBodyColor;

// A help box of 120 x 60 with the caption "Help" (24 x 11): h = 16 and the tab is
// 24 + 17 + 13 = 54 wide.
MemoryCanvas PaintHelpBox(const std::string& caption, int width = 120, int height = 60) {
  TNeoBookHelpBox2 box;
  box.SetBounds(0, 0, width, height);
  box.SetCaption(caption);
  return TControlScreen::RenderAlone(box, kWhite);
}

TEST(NeoBookHelpBox2, ShadedTab) {
  DisplayGuard display;
  const auto c = PaintHelpBox("Help");
  const Color face = ResolveColor(kClBtnFace);
  EXPECT_EQ(At(c, 1, 10), BlendColors(K, F1, 25));   // inner shading, left
  EXPECT_EQ(At(c, 30, 1), BlendColors(K, F1, 25));   // top
  EXPECT_EQ(At(c, 53, 10), BlendColors(K, F1, 25));  // right
  EXPECT_EQ(At(c, 2, 10), BlendColors(K, F1, 15));
  EXPECT_EQ(At(c, 52, 10), BlendColors(K, F1, 15));
  EXPECT_EQ(At(c, 50, 15), F1);
  EXPECT_EQ(At(c, 0, 5), K);
  EXPECT_EQ(At(c, 30, 0), K);
  EXPECT_EQ(At(c, 54, 5), K);
  // Corner stamps blend K into what was there: the button face.
  MemoryCanvas expected(3, 3, face);
  DrawCornerStamp(expected, 0, 0, kStampTopLeft, K);
  EXPECT_EQ(At(c, 0, 0), expected.Image().At(0, 0));
  EXPECT_EQ(At(c, 55, 0), face);  // beside the tab
  EXPECT_EQ(At(c, 100, 10), face);
}

TEST(NeoBookHelpBox2, ShadedBody) {
  DisplayGuard display;
  const auto c = PaintHelpBox("Help");
  EXPECT_EQ(At(c, 80, 16), K);   // body top line from the tab to the right
  EXPECT_EQ(At(c, 119, 30), K);  // right
  EXPECT_EQ(At(c, 60, 59), K);   // bottom
  EXPECT_EQ(At(c, 0, 30), K);    // left
  EXPECT_EQ(At(c, 118, 30), BlendColors(K, F2, 40));
  EXPECT_EQ(At(c, 1, 30), BlendColors(K, F2, 40));
  EXPECT_EQ(At(c, 60, 58), BlendColors(K, F2, 40));
  EXPECT_EQ(At(c, 2, 30), BlendColors(K, F2, 20));
  EXPECT_EQ(At(c, 60, 57), BlendColors(K, F2, 20));
  EXPECT_EQ(At(c, 117, 30), F2);  // the fill reaches over the inner frame's right column
  EXPECT_EQ(At(c, 60, 30), F2);
  // The outermost corner pixel lies outside every line: the stamp blends K into button face.
  MemoryCanvas corner(3, 3, ResolveColor(kClBtnFace));
  DrawCornerStamp(corner, 0, 0, kStampBottomRight, K);
  EXPECT_EQ(At(c, 119, 59), corner.Image().At(2, 2));
  MemoryCanvas frameCorner(1, 1, BlendColors(K, F2, 40));  // the outer frame's corner, stamped
  BlendPixel(frameCorner, 0, 0, 200, K);
  EXPECT_EQ(At(c, 118, 58), frameCorner.Image().At(0, 0));
}

TEST(NeoBookHelpBox2, GlyphAndCaptionPlaces) {
  DisplayGuard display;
  const auto c = PaintHelpBox("Help");
  // Glyph at (4, 16 / 2 - 17 / 2) = (4, 0): its red middle from (6, 2); magenta is transparent.
  EXPECT_EQ(At(c, 6, 2), Rgb(200, 0, 0));
  EXPECT_EQ(At(c, 18, 14), Rgb(200, 0, 0));
  EXPECT_EQ(At(c, 4, 16), F1);
  // The caption starts at (17 + 7, 3) in black.
  int black = 0;
  for (int y = 3; y < 14; ++y) {
    for (int x = 24; x < 48; ++x) black += At(c, x, y) == kBlack;
  }
  EXPECT_GT(black, 10);
  for (int y = 0; y < 16; ++y) EXPECT_NE(At(c, 49, y), kBlack);
}

TEST(NeoBookHelpBox2, EmptyCaptionKeepsATabForTheGlyph) {
  DisplayGuard display;
  const auto c = PaintHelpBox("");
  // W = 17 + 8 = 25.
  EXPECT_EQ(At(c, 25, 5), K);
  EXPECT_EQ(At(c, 24, 10), BlendColors(K, F1, 25));
  EXPECT_EQ(At(c, 26, 5), ResolveColor(kClBtnFace));
}

TEST(NeoBookHelpBox2, FlatStyleOnPaletteScreens) {
  DisplayGuard palette(256);
  const Color shadow = ResolveColor(kClBtnShadow);
  const Color info = ResolveColor(kClInfoBk);
  const auto c = PaintHelpBox("Help");
  EXPECT_EQ(At(c, 50, 8), shadow);                      // the tab
  EXPECT_EQ(At(c, 60, 40), info);                       // the body
  EXPECT_EQ(At(c, 2, 18), info);                        // squared top-left corner of the body
  EXPECT_EQ(At(c, 119, 59), ResolveColor(kClBtnFace));  // rounded away
  int highlight = 0;
  for (int y = 3; y < 14; ++y) {
    for (int x = 24; x < 48; ++x) highlight += At(c, x, y) == ResolveColor(kClBtnHighlight);
  }
  EXPECT_GT(highlight, 10);
}

TEST(NeoBookHelpBox2, ColourAndClientRectangle) {
  {
    DisplayGuard display;
    TNeoBookHelpBox2 box;
    EXPECT_EQ(box.GetColor(), Rgb(255, 255, 225));
    box.SetBounds(0, 0, 200, 73);
    MemoryCanvas measure(1, 1);
    EXPECT_EQ(box.AlignClientRect(measure), (tRect{6, 22, 194, 67}));
  }
  DisplayGuard palette(256);
  TNeoBookHelpBox2 box;
  EXPECT_EQ(box.GetColor(), kClInfoBk);
}

}  // namespace
}  // namespace dux::controls
