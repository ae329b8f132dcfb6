#include "controls/NeoBookButton.h"

#include <gtest/gtest.h>

#include "controls/ControlScreen.h"
#include "tests/controls/ControlsTestSupport.h"

namespace dux::controls {
namespace {

using platform::MemoryCanvas;
using platform::tBitmap;
using testing::At;
using testing::DisplayGuard;
using testing::TestForm;

constexpr Color kFormColor = Rgb(236, 233, 216);
constexpr Color kPurple = Rgb(128, 0, 128);

// A strip of `images` 4 x 4 images on purple, image i filled with colour i in its middle.
tBitmap Strip(int images, int side = 4) {
  tBitmap strip(images * side, side, kPurple);
  const Color colours[] = {Rgb(200, 0, 0), Rgb(0, 200, 0), Rgb(0, 0, 200), Rgb(200, 200, 0)};
  for (int i = 0; i < images; ++i) {
    for (int y = 1; y < side - 1; ++y) {
      for (int x = 1; x < side - 1; ++x) strip.Set(i * side + x, y, colours[i % 4]);
    }
  }
  return strip;
}

struct ButtonFixture : ::testing::Test {
  DisplayGuard display;
  TestForm form{100, 60, kFormColor};
  TNeoBookButton button{&form};
  TControlScreen screen{form};
  int clicks = 0;

  ButtonFixture() {
    button.SetBounds(10, 10, 24, 24);
    button.onClick = [this] { ++clicks; };
  }
  Color Pixel(int x, int y) { return At(screen.Render(), 10 + x, 10 + y); }
};

TEST_F(ButtonFixture, FlatIdleShowsOnlyTheParentBackground) {
  button.SetFlat(true);
  const auto canvas = screen.Render();
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 24; ++x) ASSERT_EQ(At(canvas, 10 + x, 10 + y), kFormColor) << x << "," << y;
  }
}

TEST_F(ButtonFixture, PointerOverAFlatButtonShowsTheFaceWithAWhiteMiddle) {
  button.SetFlat(true);
  screen.MoveMouse(20, 20);
  EXPECT_TRUE(button.Hot());
  EXPECT_EQ(screen.CaptureHolder(), &button);
  const auto c = screen.Render();
  EXPECT_EQ(At(c, 10 + 12, 10 + 0), kBorderEnabled);
  EXPECT_EQ(At(c, 10 + 1, 10 + 8), Rgb(240, 240, 236));  // idle bevel, light side
  EXPECT_EQ(At(c, 10 + 22, 10 + 8), Rgb(214, 214, 198));
  EXPECT_EQ(At(c, 10 + 2, 10 + 8), Rgb(245, 245, 241));
  for (int y = 3; y < 21; ++y) {
    for (int x = 3; x < 21; ++x) ASSERT_EQ(At(c, 10 + x, 10 + y), kWhite);
  }
  screen.MoveMouse(90, 50);
  EXPECT_FALSE(button.Hot());
  EXPECT_EQ(screen.CaptureHolder(), nullptr);
  EXPECT_EQ(Pixel(12, 12), kFormColor);
}

TEST_F(ButtonFixture, IdleFaceOfANonFlatButton) {
  EXPECT_EQ(Pixel(12, 0), kBorderEnabled);
  EXPECT_EQ(Pixel(12, 3), Rgb(254, 254, 253));   // gradient top
  EXPECT_EQ(Pixel(12, 20), Rgb(233, 232, 224));  // gradient bottom
  MemoryCanvas corner(1, 1, kFormColor);         // the outline's corner blends into the form
  BlendPixel(corner, 0, 0, 30, kBorderEnabled);
  EXPECT_EQ(Pixel(0, 0), corner.Image().At(0, 0));
}

TEST_F(ButtonFixture, HotNonFlatButtonHasOrangeBevels) {
  screen.MoveMouse(20, 20);
  EXPECT_EQ(Pixel(12, 0), kBorderHot);
  EXPECT_EQ(Pixel(1, 8), BlendColors(kWhite, kHotOrange, 75));
  EXPECT_EQ(Pixel(22, 8), BlendColors(kWhite, kHotOrange, 25));
  EXPECT_EQ(Pixel(2, 8), BlendColors(kWhite, kHotOrange, 85));
  EXPECT_EQ(Pixel(21, 8), BlendColors(kWhite, kHotOrange, 60));
  EXPECT_EQ(Pixel(12, 12), kWhite);
}

TEST_F(ButtonFixture, PressedFaceIsAShadedGradient) {
  screen.MoveMouse(20, 20);
  screen.PressLeft(20, 20);
  EXPECT_EQ(button.State(), ButtonState::kPressed);
  const Color c5 = Rgb(194, 194, 178);
  const Color c6 = Rgb(214, 214, 198);
  EXPECT_EQ(Pixel(12, 1), c5);
  EXPECT_EQ(Pixel(1, 12), c5);
  EXPECT_EQ(Pixel(12, 5), c6);
  EXPECT_EQ(Pixel(12, 6), c6);
  EXPECT_EQ(Pixel(12, 14), Rgb(224, 224, 208));  // line 8 of 17 from c6 to face light
  EXPECT_EQ(Pixel(12, 22), kFaceLight);
  EXPECT_EQ(Pixel(12, 0), kBorderPressedHot);
}

TEST_F(ButtonFixture, ClickFiresOnlyOnReleaseInside) {
  screen.MoveMouse(20, 20);
  screen.PressLeft(20, 20);
  EXPECT_TRUE(button.Tracking());
  screen.MoveMouse(80, 50);  // still captured: the button follows the pointer out
  EXPECT_EQ(button.State(), ButtonState::kUp);
  screen.MoveMouse(15, 15);
  EXPECT_EQ(button.State(), ButtonState::kPressed);
  screen.MoveMouse(80, 50);
  screen.ReleaseLeft(80, 50);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(button.Tracking());
  EXPECT_FALSE(button.Hot());
  screen.MoveMouse(20, 20);
  screen.PressLeft(20, 20);
  screen.ReleaseLeft(20, 20);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button.State(), ButtonState::kUp);
  EXPECT_TRUE(button.Hot());  // the pointer is still over it
}

TEST_F(ButtonFixture, DisabledButtonIgnoresTheMouse) {
  button.SetEnabled(false);
  screen.MoveMouse(20, 20);
  screen.PressLeft(20, 20);
  screen.ReleaseLeft(20, 20);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(button.Hot());
  EXPECT_EQ(Pixel(12, 0), kBorderDisabled);
  EXPECT_EQ(button.State(), ButtonState::kDisabled);
  button.SetEnabled(true);
  EXPECT_EQ(button.State(), ButtonState::kUp);
  EXPECT_TRUE(button.Hot());  // re-enabled under the pointer
}

TEST_F(ButtonFixture, AcceleratorClicksAnEnabledVisibleButton) {
  button.SetCaption("&Go");
  EXPECT_TRUE(button.DialogChar('g'));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button.DialogChar('o'));
  button.SetEnabled(false);
  EXPECT_FALSE(button.DialogChar('g'));
  button.SetEnabled(true);
  form.SetVisible(false);
  EXPECT_FALSE(button.DialogChar('g'));
  EXPECT_EQ(clicks, 1);
}

TEST(NeoBookButtonDown, IgnoredWithoutAGroup) {
  DisplayGuard display;
  TestForm form(100, 60, kFormColor);
  TNeoBookButton button(&form);
  button.SetDown(true);
  EXPECT_FALSE(button.Down());
  EXPECT_EQ(button.State(), ButtonState::kUp);
}

TEST(NeoBookButtonDown, GroupKeepsOneButtonDown) {
  DisplayGuard display;
  TestForm form(100, 60, kFormColor);
  TNeoBookButton a(&form), b(&form), other(&form);
  a.SetGroupIndex(1);
  b.SetGroupIndex(1);
  other.SetGroupIndex(2);
  other.SetDown(true);
  a.SetDown(true);
  EXPECT_TRUE(a.Down());
  EXPECT_EQ(a.State(), ButtonState::kHeldDown);
  b.SetDown(true);
  EXPECT_TRUE(b.Down());
  EXPECT_FALSE(a.Down());
  EXPECT_EQ(a.State(), ButtonState::kUp);
  EXPECT_TRUE(other.Down());  // another group
  b.SetDown(false);           // the last one down stays down without AllowAllUp
  EXPECT_TRUE(b.Down());
  a.SetAllowAllUp(true);  // told to the whole group
  EXPECT_TRUE(b.AllowAllUp());
  b.SetDown(false);
  EXPECT_FALSE(b.Down());
  EXPECT_EQ(b.State(), ButtonState::kUp);
}

TEST(NeoBookButtonDown, ClickingAGroupButtonTogglesIt) {
  DisplayGuard display;
  TestForm form(100, 60, kFormColor);
  TNeoBookButton a(&form), b(&form);
  a.SetBounds(0, 0, 24, 24);
  b.SetBounds(30, 0, 24, 24);
  a.SetGroupIndex(3);
  b.SetGroupIndex(3);
  a.SetAllowAllUp(true);
  int doubleClicks = 0;
  a.onDblClick = [&] { ++doubleClicks; };
  TControlScreen screen(form);
  screen.PressLeft(5, 5);
  screen.ReleaseLeft(5, 5);
  EXPECT_TRUE(a.Down());
  screen.PressLeft(5, 5, true);
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(a.State(), ButtonState::kHeldDown);  // a held-down button is not pressed again
  screen.MoveMouse(80, 50);
  EXPECT_EQ(a.State(), ButtonState::kHeldDown);
  screen.ReleaseLeft(80, 50);  // released outside: stays down
  EXPECT_TRUE(a.Down());
  screen.PressLeft(35, 5);
  screen.ReleaseLeft(35, 5);
  EXPECT_TRUE(b.Down());
  EXPECT_FALSE(a.Down());
  screen.PressLeft(35, 5);
  screen.ReleaseLeft(35, 5);
  EXPECT_FALSE(b.Down());  // AllowAllUp came with the group
}

TEST(NeoBookButtonGlyph, NumGlyphsFollowsTheStrip) {
  DisplayGuard display;
  TNeoBookButton button;
  button.SetGlyph(Strip(4));
  EXPECT_EQ(button.NumGlyphs(), 4);
  button.SetGlyph(Strip(3));
  EXPECT_EQ(button.NumGlyphs(), 3);
  button.SetGlyph(Strip(5));
  EXPECT_EQ(button.NumGlyphs(), 1);  // five or more images: one
  button.SetNumGlyphs(2);
  button.SetGlyph(tBitmap(10, 4, kPurple));  // not a whole multiple: kept
  EXPECT_EQ(button.NumGlyphs(), 2);
  button.SetNumGlyphs(9);
  EXPECT_EQ(button.NumGlyphs(), 4);
  EXPECT_EQ(button.ButtonGlyph().TransparentColor(), kPurple);
}

TEST(NeoBookButtonGlyph, StateImagesAndFallbacks) {
  DisplayGuard display;
  TNeoButtonGlyph glyph;
  glyph.SetGlyph(Strip(4));
  EXPECT_EQ(glyph.StateImage(ButtonState::kUp, 1 << 24).At(1, 1), Rgb(200, 0, 0));
  EXPECT_EQ(glyph.StateImage(ButtonState::kPressed, 1 << 24).At(1, 1), Rgb(0, 0, 200));
  EXPECT_EQ(glyph.StateImage(ButtonState::kHeldDown, 1 << 24).At(1, 1), Rgb(200, 200, 0));
  glyph.SetGlyph(Strip(3));
  EXPECT_EQ(glyph.StateImage(ButtonState::kHeldDown, 1 << 24).At(1, 1), Rgb(0, 0, 200));
  glyph.SetGlyph(Strip(2));  // a strip without a pressed image shows the up image
  EXPECT_EQ(glyph.StateImage(ButtonState::kPressed, 1 << 24).At(1, 1), Rgb(200, 0, 0));
  EXPECT_EQ(glyph.StateImage(ButtonState::kHeldDown, 1 << 24).At(1, 1), Rgb(200, 0, 0));
}

TEST(NeoBookButtonGlyph, DisabledImageFadesTowardTheButtonFace) {
  DisplayGuard display;
  TNeoButtonGlyph glyph;
  glyph.SetGlyph(Strip(1));
  const auto image = glyph.StateImage(ButtonState::kDisabled, 1 << 24);
  EXPECT_EQ(image.At(1, 1), BlendColors(Rgb(200, 0, 0), kClBtnFace, 20));
  EXPECT_EQ(image.At(0, 0), kPurple);  // the background stays transparent
  glyph.SetGlyph(Strip(2));
  EXPECT_EQ(glyph.StateImage(ButtonState::kDisabled, 1 << 24).At(1, 1),
            BlendColors(Rgb(0, 200, 0), kClBtnFace, 20));
}

TEST(NeoBookButtonGlyph, DisabledImageOnPaletteScreens) {
  DisplayGuard display(256);
  TNeoButtonGlyph glyph;
  glyph.SetGlyph(Strip(1));
  const auto embossed = glyph.StateImage(ButtonState::kDisabled, 256);
  EXPECT_EQ(embossed.At(0, 0), ResolveColor(kClBtnFace));
  EXPECT_EQ(embossed.At(1, 1), ResolveColor(kClBtnShadow));
  EXPECT_EQ(embossed.At(3, 3), ResolveColor(kClBtnHighlight));  // the shape moved by one
  tBitmap two = Strip(2);
  two.Set(5, 1, kWhite);
  two.Set(6, 1, Rgb(128, 128, 128));
  glyph.SetGlyph(two);
  const auto recoloured = glyph.StateImage(ButtonState::kDisabled, 256);
  EXPECT_EQ(recoloured.At(1, 1), ResolveColor(kClBtnHighlight));
  EXPECT_EQ(recoloured.At(2, 1), ResolveColor(kClBtnShadow));
  EXPECT_EQ(recoloured.At(0, 0), ResolveColor(kClBtnFace));
  EXPECT_EQ(recoloured.At(2, 2), Rgb(0, 200, 0));
}

TEST(NeoBookButtonGlyph, ListsAreSharedPerSizeAndFreedWithTheLastUser) {
  DisplayGuard display;
  ASSERT_EQ(GlyphCacheIfCreated(), nullptr);
  {
    TestForm form(100, 60, kFormColor);
    TNeoBookButton a(&form), b(&form), c(&form);
    a.SetGlyph(Strip(1));
    b.SetGlyph(Strip(2));
    c.SetGlyph(Strip(1, 6));
    TControlScreen screen(form);
    screen.Render();
    ASSERT_NE(GlyphCacheIfCreated(), nullptr);
    EXPECT_EQ(GlyphCacheIfCreated()->ListCount(), 2);
    EXPECT_EQ(a.ButtonGlyph().List(), b.ButtonGlyph().List());
    EXPECT_NE(a.ButtonGlyph().List(), c.ButtonGlyph().List());
    EXPECT_EQ(a.ButtonGlyph().List()->Count(), 2);
    EXPECT_NE(a.ButtonGlyph().ImageIndex(ButtonState::kUp),
              b.ButtonGlyph().ImageIndex(ButtonState::kUp));
    c.SetGlyph(tBitmap());  // its list is returned and, unused, destroyed
    EXPECT_EQ(GlyphCacheIfCreated()->ListCount(), 1);
  }
  EXPECT_EQ(GlyphCacheIfCreated(), nullptr);
}

TEST(NeoBookButtonGlyph, DrawnAtTheLaidOutPlaceMovedWhenPressed) {
  DisplayGuard display;
  TestForm form(100, 60, kFormColor);
  TNeoBookButton button(&form);
  button.SetBounds(0, 0, 24, 24);
  button.SetGlyph(Strip(1, 20));
  TControlScreen screen(form);
  auto canvas = screen.Render();
  EXPECT_EQ(button.LastLayout().glyphX, 2);  // (24 - 20 + 1) / 2
  EXPECT_EQ(button.LastLayout().glyphY, 2);
  EXPECT_EQ(At(canvas, 3, 3), Rgb(200, 0, 0));
  EXPECT_EQ(At(canvas, 20, 20), Rgb(200, 0, 0));
  EXPECT_NE(At(canvas, 21, 21), Rgb(200, 0, 0));  // the glyph's purple rim is transparent
  EXPECT_NE(At(canvas, 21, 21), kPurple);
  screen.PressLeft(10, 10);
  canvas = screen.Render();
  EXPECT_EQ(button.LastLayout().glyphX, 3);
  EXPECT_EQ(At(canvas, 21, 21), Rgb(200, 0, 0));
  button.SetTransparent(false);
  screen.ReleaseLeft(50, 50);
  canvas = screen.Render();
  EXPECT_EQ(At(canvas, 2, 2), ResolveColor(kClBtnFace));  // opaque: background in button face
}

struct LayoutCase {
  ButtonLayout layout;
  int width, height, margin, spacing;
  bool rightToLeft;
  int glyphX, glyphY, textX, textY;
};

TEST(LayOutGlyph, AllLayoutsWithMarginAndSpacing) {
  const platform::tSize glyph{16, 16};
  const platform::tSize text{30, 11};
  const LayoutCase cases[] = {
      {ButtonLayout::kGlyphLeft, 100, 30, -1, 4, false, 25, 7, 45, 10},
      {ButtonLayout::kGlyphRight, 100, 30, -1, 4, false, 59, 7, 25, 10},
      {ButtonLayout::kGlyphTop, 40, 60, -1, 4, false, 12, 15, 5, 35},
      {ButtonLayout::kGlyphBottom, 40, 60, -1, 4, false, 12, 29, 5, 14},
      {ButtonLayout::kGlyphLeft, 100, 30, -1, -1, false, 18, 7, 52, 10},
      {ButtonLayout::kGlyphLeft, 100, 30, 5, -1, false, 5, 7, 45, 10},
      {ButtonLayout::kGlyphRight, 100, 30, 5, -1, false, 79, 7, 25, 10},
      {ButtonLayout::kGlyphLeft, 100, 30, 3, 2, false, 3, 7, 21, 10},
      {ButtonLayout::kGlyphLeft, 100, 30, -1, 4, true, 59, 7, 25, 10},
      {ButtonLayout::kGlyphRight, 100, 30, -1, 4, true, 25, 7, 45, 10},
  };
  for (const auto& c : cases) {
    const auto place = LayOutGlyph(
        {{0, 0, c.width, c.height}, glyph, text, c.layout, c.margin, c.spacing, c.rightToLeft});
    EXPECT_EQ(place.glyphX, c.glyphX)
        << static_cast<int>(c.layout) << " " << c.margin << " " << c.spacing;
    EXPECT_EQ(place.glyphY, c.glyphY) << static_cast<int>(c.layout);
    EXPECT_EQ(place.textRect.left, c.textX)
        << static_cast<int>(c.layout) << " " << c.margin << " " << c.spacing;
    EXPECT_EQ(place.textRect.top, c.textY) << static_cast<int>(c.layout);
  }
}

TEST(LayOutGlyph, SpacingCountsAsZeroWithoutCaptionAndMovesWithTheClient) {
  const auto place =
      LayOutGlyph({{5, 7, 29, 31}, {20, 20}, {0, 0}, ButtonLayout::kGlyphLeft, -1, 4, false});
  EXPECT_EQ(place.glyphX, 5 + 2);
  EXPECT_EQ(place.glyphY, 7 + 2);
  const auto textOnly =
      LayOutGlyph({{0, 0, 60, 20}, {0, 0}, {30, 11}, ButtonLayout::kGlyphLeft, -1, 4, false});
  EXPECT_EQ(textOnly.textRect.left, 15);  // (60 - 30 + 1) / 2
}

}  // namespace
}  // namespace dux::controls
