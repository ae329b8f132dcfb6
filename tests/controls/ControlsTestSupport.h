#pragma once

#include <string>

#include "controls/NeoDisplay.h"
#include "controls/TControl.h"
#include "platform/MemoryCanvas.h"

namespace dux::controls::testing {

// Puts the display values back to a true-colour screen after each test.
class DisplayGuard {
 public:
  explicit DisplayGuard(int colorCount = 16777216, Color accent = Rgb(10, 80, 200)) {
    tDisplayValues values;
    values.screenColorCount = colorCount;
    values.accentColor = accent;
    values.helpGlyph = TestHelpGlyph();
    SetDisplayValues(values);
  }
  ~DisplayGuard() { ResetDisplayValues(); }
  DisplayGuard(const DisplayGuard&) = delete;
  DisplayGuard& operator=(const DisplayGuard&) = delete;

  // A 17 x 17 glyph: magenta corners (the bottom-left one is transparent), a red disc.
  static platform::tBitmap TestHelpGlyph() {
    platform::tBitmap glyph(17, 17, Rgb(255, 0, 255));
    for (int y = 2; y < 15; ++y) {
      for (int x = 2; x < 15; ++x) glyph.Set(x, y, Rgb(200, 0, 0));
    }
    return glyph;
  }
};

// The real help glyph of the library's pictures and a readable accent, for pictures people
// look at.
void UseRealDisplayPictures();

// A plain parent of one colour for the controls under test.
class TestForm : public TControl {
 public:
  TestForm(int width, int height, Color color) {
    SetBounds(0, 0, width, height);
    SetColor(color);
  }
  void Paint(Canvas& canvas) override { canvas.FillRect(ClientRect(), ResolveColor(GetColor())); }
};

inline Color At(const platform::MemoryCanvas& canvas, int x, int y) {
  return canvas.Image().At(x, y);
}

// Writes a picture for people to look at when DUX_GALLERY_DIR names a folder.
void SaveToGallery(const platform::tBitmap& image, const std::string& name);

}  // namespace dux::controls::testing
