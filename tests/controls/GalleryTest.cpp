#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "controls/ControlScreen.h"
#include "controls/NeoBookButton.h"
#include "controls/NeoBookHelpBox2.h"
#include "controls/NeoBookPanel.h"
#include "platform/Display.h"
#include "tests/controls/ControlsTestSupport.h"

// Paints every control in every state on one sheet per colour style and keeps the sheets
// (DUX_GALLERY_DIR) for people to look at.
namespace dux::controls {
namespace {

using platform::MemoryCanvas;
using platform::tBitmap;

void Blit(tBitmap& sheet, const tBitmap& image, int left, int top) {
  for (int y = 0; y < image.height && top + y < sheet.height; ++y) {
    for (int x = 0; x < image.width && left + x < sheet.width; ++x)
      sheet.Set(left + x, top + y, image.At(x, y));
  }
}

enum class Pose { kIdle, kHot, kPressed, kHeldDown, kDisabled };

// One button on a small form, brought into a pose by the mouse as a user would.
tBitmap ButtonIn(Pose pose, bool flat, const tBitmap& glyph, const std::string& caption,
                 ButtonLayout layout) {
  testing::TestForm form(caption.empty() ? 32 : 96, 48, ResolveColor(kClBtnFace));
  TNeoBookButton button(&form);
  button.SetBounds(4, 4, caption.empty() ? 24 : 88, caption.empty() ? 24 : 40);
  button.SetFlat(flat);
  button.SetGlyph(glyph);
  button.SetCaption(caption);
  button.SetLayout(layout);
  TControlScreen screen(form);
  if (pose == Pose::kHeldDown) {
    button.SetGroupIndex(1);
    button.SetDown(true);
  }
  if (pose == Pose::kDisabled) button.SetEnabled(false);
  if (pose == Pose::kHot || pose == Pose::kPressed) screen.MoveMouse(10, 10);
  if (pose == Pose::kPressed) screen.PressLeft(10, 10);
  return screen.Render().Image();
}

tBitmap Sheet(int colorCount, const tBitmap& insertGlyph, const tBitmap& editGlyph) {
  testing::DisplayGuard display(colorCount);
  testing::UseRealDisplayPictures();

  tBitmap sheet(560, 420, ResolveColor(kClBtnFace));
  const std::pair<std::string, std::string> panels[] = {
      {"Filename or variable of the JPG-file", ""}, {"Caption", "with a sub-caption"}, {"", ""}};
  int top = 4;
  for (const auto& [caption, sub] : panels) {
    TNeoBookPanel panel;
    panel.SetBounds(0, 0, 361, 65);
    panel.SetCaption(caption);
    panel.SetSubCaption(sub);
    Blit(sheet, TControlScreen::RenderAlone(panel, kWhite).Image(), 4, top);
    top += 70;
  }
  for (const std::string caption : {"duxIPTCread  (duxIPTC)", ""}) {
    TNeoBookHelpBox2 box;
    box.SetBounds(0, 0, 361, 73);
    box.SetCaption(caption);
    Blit(sheet, TControlScreen::RenderAlone(box, kWhite).Image(), 4, top);
    top += 78;
  }
  const Pose poses[] = {Pose::kIdle, Pose::kHot, Pose::kPressed, Pose::kHeldDown, Pose::kDisabled};
  for (int row = 0; row < 2; ++row) {
    int left = 372;
    for (const Pose pose : poses) {
      Blit(sheet,
           ButtonIn(pose, row == 0, row == 0 ? insertGlyph : editGlyph, "",
                    ButtonLayout::kGlyphLeft),
           left, 4 + row * 36);
      left += 36;
    }
  }
  const ButtonLayout layouts[] = {ButtonLayout::kGlyphLeft, ButtonLayout::kGlyphRight,
                                  ButtonLayout::kGlyphTop, ButtonLayout::kGlyphBottom};
  int y = 80;
  for (const ButtonLayout layout : layouts) {
    Blit(sheet, ButtonIn(Pose::kIdle, false, insertGlyph, "&Insert", layout), 372, y);
    Blit(sheet, ButtonIn(Pose::kDisabled, false, insertGlyph, "&Insert", layout), 372 + 96 - 4, y);
    y += 52;
  }
  return sheet;
}

TEST(Gallery, EveryControlInEveryState) {
  const auto insertGlyph = platform::LoadBitmapResource("DUX_GLYPH_INSERT_VARIABLE");
  const auto editGlyph = platform::LoadBitmapResource("DUX_GLYPH_EDIT_ACTION");
  ASSERT_TRUE(insertGlyph && editGlyph);
  ASSERT_EQ(insertGlyph->width, 20);
  ASSERT_EQ(editGlyph->height, 20);
  for (const int colours : {16777216, 256}) {
    const tBitmap sheet = Sheet(colours, *insertGlyph, *editGlyph);
    testing::SaveToGallery(sheet, colours > 256 ? "controls-shaded" : "controls-flat");
    // Each pose of the flat button looks different from the others.
    std::set<std::vector<platform::Color>> poses;
    for (int i = 0; i < 5; ++i) {
      tBitmap cell(24, 24);
      for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) cell.Set(x, y, sheet.At(372 + 36 * i + 4 + x, 8 + y));
      }
      poses.insert(cell.pixels);
    }
    EXPECT_EQ(poses.size(), 5u) << colours;
  }
}

TEST(Gallery, HelpGlyphResourcesHaveTheirSizeAndTransparentCorner) {
  for (const char* name : {"NBHB_GLYPH_16", "NBHB_GLYPH_256"}) {
    const auto glyph = platform::LoadBitmapResource(name);
    ASSERT_TRUE(glyph) << name;
    EXPECT_EQ(glyph->width, 17);
    EXPECT_EQ(glyph->height, 17);
    const platform::Color corner = glyph->At(0, 16);
    EXPECT_NE(glyph->At(8, 8), corner);  // the disc is not transparent
  }
  EXPECT_FALSE(platform::LoadBitmapResource("NO_SUCH_PICTURE"));
}

}  // namespace
}  // namespace dux::controls
