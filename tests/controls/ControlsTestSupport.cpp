#include "tests/controls/ControlsTestSupport.h"

#include <cstdlib>
#include <filesystem>

#include "platform/Display.h"

namespace dux::controls::testing {

void UseRealDisplayPictures() {
  tDisplayValues values = DisplayValues();
  values.accentColor = ComputeAccentColor(std::nullopt);
  if (auto glyph = platform::LoadBitmapResource(HelpGlyphResource(values.screenColorCount)))
    values.helpGlyph = *glyph;
  SetDisplayValues(values);
}

void SaveToGallery(const platform::tBitmap& image, const std::string& name) {
  const char* dir = std::getenv("DUX_GALLERY_DIR");
  if (dir == nullptr || *dir == '\0') return;
  std::filesystem::create_directories(dir);
  const std::string base = std::string(dir) + "/" + name;
  if (!platform::SavePng(image, base + ".png")) platform::SaveBmp(image, base + ".bmp");
}

}  // namespace dux::controls::testing
