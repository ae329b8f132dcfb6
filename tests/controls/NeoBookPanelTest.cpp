#include "controls/NeoBookPanel.h"

#include <gtest/gtest.h>

#include "controls/ControlScreen.h"
#include "controls/NeoBookHelpBox2.h"
#include "tests/controls/ControlsTestSupport.h"

namespace dux::controls {
namespace {

using platform::MemoryCanvas;
using testing::At;
using testing::DisplayGuard;

// The built-in font of the memory canvas is 6 pixels per character and, at the default
// font, 11 pixels high: a caption of n characters measures 6n x 11.
constexpr Color kPanelColor = Rgb(236, 233, 216);

struct PanelFixture : ::testing::Test {
  DisplayGuard display;
  TNeoBookPanel panel;
  Color shadow = ResolveColor(kClBtnShadow);

  MemoryCanvas Paint(int width, int height) {
    panel.SetBounds(0, 0, width, height);
    panel.SetColor(kPanelColor);
    return TControlScreen::RenderAlone(panel, kWhite);
  }
  // The colour of a gradient's line i of n, from start to end.
  static Color GradientLine(Color start, Color end, int i, int n) {
    const int g = n - 1 - i;
    auto channel = [&](int s, int e) { return e + g * (s - e) / (n - 1); };
    return Rgb(channel(platform::RedOf(start), platform::RedOf(end)),
               channel(platform::GreenOf(start), platform::GreenOf(end)),
               channel(platform::BlueOf(start), platform::BlueOf(end)));
  }
};

TEST_F(PanelFixture, CaptionBarFadesHalfWayToTheRightEdge) {
  panel.SetCaption("Ab");
  const auto canvas = Paint(100, 40);
  // C = (2, 2, 22, 16); the bar ends at 22 + (100 - 22) / 2 = 61.
  const Color accent = Rgb(10, 80, 200);
  EXPECT_EQ(At(canvas, 3, 5), GradientLine(accent, kPanelColor, 1, 59));
  EXPECT_EQ(At(canvas, 30, 15), GradientLine(accent, kPanelColor, 28, 59));
  EXPECT_EQ(At(canvas, 60, 10), kPanelColor);  // last line of the bar: the panel colour
  EXPECT_EQ(At(canvas, 61, 10), kPanelColor);
  EXPECT_EQ(At(canvas, 80, 1), kPanelColor);  // the top edge stops with the bar
  EXPECT_EQ(At(canvas, 30, 1), GradientLine(shadow, kPanelColor, 30, 61));
  EXPECT_EQ(At(canvas, 30, 16), GradientLine(shadow, kPanelColor, 28, 59));  // under the bar
  EXPECT_EQ(At(canvas, 30, 17), kPanelColor);
  // The left edge fades downward over the whole height.
  EXPECT_EQ(At(canvas, 0, 20), GradientLine(shadow, kPanelColor, 20, 40));
  EXPECT_EQ(At(canvas, 1, 39), kPanelColor);
  EXPECT_EQ(At(canvas, 2, 39), kPanelColor);
}

TEST_F(PanelFixture, RoundedCornerAndCaptionText) {
  panel.SetCaption("Ab");
  const auto canvas = Paint(100, 40);
  EXPECT_EQ(At(canvas, 0, 0), BlendColors(shadow, kPanelColor, 10));
  EXPECT_EQ(At(canvas, 1, 0), BlendColors(shadow, kPanelColor, 50));
  EXPECT_EQ(At(canvas, 0, 1), BlendColors(shadow, kPanelColor, 50));
  EXPECT_EQ(At(canvas, 2, 2), BlendColors(Rgb(10, 80, 200), shadow, 50));
  // The caption is centred in C = (2, 2, 22, 16): its 12 x 11 cell starts at (6, 3).
  int textPixels = 0;
  for (int y = 2; y < 16; ++y) {
    for (int x = 2; x < 22; ++x) textPixels += At(canvas, x, y) == ResolveColor(kClWindowText);
  }
  EXPECT_GT(textPixels, 10);
  for (int y = 0; y < 40; ++y) EXPECT_NE(At(canvas, 40, y), ResolveColor(kClWindowText));
}

TEST_F(PanelFixture, WideCaptionTakesTheBarToTheEdge) {
  panel.SetCaption("A caption wider than the panel");
  const auto canvas = Paint(60, 30);
  EXPECT_EQ(At(canvas, 59, 1), kPanelColor);  // E = width: the last line is the end colour
  EXPECT_EQ(At(canvas, 58, 1), GradientLine(shadow, kPanelColor, 58, 60));
  EXPECT_NE(At(canvas, 58, 1), kPanelColor);
}

TEST_F(PanelFixture, SubCaptionWidensTheBar) {
  panel.SetCaption("Ab");
  panel.SetSubCaption("xyz");
  const auto canvas = Paint(100, 40);
  // E = 22 + (18 + 4) = 44, then 44 + 56 / 2 = 72.
  EXPECT_EQ(At(canvas, 71, 1), kPanelColor);
  EXPECT_EQ(At(canvas, 70, 1), GradientLine(shadow, kPanelColor, 70, 72));
  EXPECT_EQ(At(canvas, 72, 1), kPanelColor);
}

TEST_F(PanelFixture, WithoutCaptionsOnlyBackgroundAndLeftEdge) {
  const auto canvas = Paint(50, 30);
  for (int y = 0; y < 30; ++y) {
    EXPECT_EQ(At(canvas, 0, y), GradientLine(shadow, kPanelColor, y, 30));
    EXPECT_EQ(At(canvas, 1, y), GradientLine(shadow, kPanelColor, y, 30));
    for (int x = 2; x < 50; ++x) ASSERT_EQ(At(canvas, x, y), kPanelColor) << x << "," << y;
  }
}

TEST_F(PanelFixture, FlatStyleOnPaletteScreens) {
  DisplayGuard palette(256);
  panel.SetCaption("Ab");
  const auto canvas = Paint(100, 40);
  const Color grey = Rgb(128, 128, 128);
  EXPECT_EQ(At(canvas, 0, 0), grey);  // C = (0, 0, 20, 16)
  EXPECT_EQ(At(canvas, 19, 15), grey);
  EXPECT_EQ(At(canvas, 20, 5), kPanelColor);
  EXPECT_EQ(At(canvas, 1, 39), grey);  // left edge
  EXPECT_EQ(At(canvas, 2, 39), kPanelColor);
  int white = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 20; ++x) white += At(canvas, x, y) == kWhite;
  }
  EXPECT_GT(white, 10);
}

TEST_F(PanelFixture, ClientRectangleLeavesRoomForTheCaption) {
  panel.SetBounds(0, 0, 100, 65);
  MemoryCanvas measure(1, 1);
  EXPECT_EQ(panel.AlignClientRect(measure), (tRect{7, 1, 99, 64}));
  panel.SetCaption("X");
  EXPECT_EQ(panel.AlignClientRect(measure), (tRect{7, 18, 99, 64}));
  panel.SetCaption("");
  panel.SetSubCaption("sub");
  EXPECT_EQ(panel.AlignClientRect(measure), (tRect{7, 18, 99, 64}));
}

TEST_F(PanelFixture, RepaintsOnlyWhenAValueChanges) {
  const int before = panel.PaintRequests();
  panel.SetShowAccelChar(true);
  panel.SetSubCaption("");
  EXPECT_EQ(panel.PaintRequests(), before);
  panel.SetShowAccelChar(false);
  panel.SetSubCaption("x");
  EXPECT_EQ(panel.PaintRequests(), before + 2);
}

// A control that can take the focus, as an edit field of a dialog.
struct Focusable : TControl {
  using TControl::TControl;
  bool CanFocus() const override { return canFocus; }
  void SetFocus() override { ++focused; }
  void Paint(Canvas&) override {}
  bool canFocus = true;
  int focused = 0;
};

TEST_F(PanelFixture, AcceleratorFocusesTheFocusControl) {
  panel.SetCaption("&Value");
  Focusable field;
  panel.SetFocusControl(&field);
  EXPECT_TRUE(panel.DialogChar('v'));
  EXPECT_EQ(field.focused, 1);
  EXPECT_FALSE(panel.DialogChar('a'));
  panel.SetShowAccelChar(false);
  EXPECT_FALSE(panel.DialogChar('v'));
  panel.SetShowAccelChar(true);
  field.canFocus = false;
  EXPECT_FALSE(panel.DialogChar('v'));
  panel.SetEnabled(false);
  field.canFocus = true;
  EXPECT_FALSE(panel.DialogChar('v'));
  EXPECT_EQ(field.focused, 1);
}

TEST_F(PanelFixture, FocusControlIsClearedWhenItGoesAway) {
  panel.SetCaption("&Value");
  {
    Focusable field;
    panel.SetFocusControl(&field);
    EXPECT_EQ(panel.FocusControl(), &field);
  }
  EXPECT_EQ(panel.FocusControl(), nullptr);
  EXPECT_FALSE(panel.DialogChar('v'));
}

}  // namespace
}  // namespace dux::controls
