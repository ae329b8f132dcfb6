#include "host/DisplaySetup.h"

#include "controls/NeoDisplay.h"

namespace dux {

TDisplaySetup::TDisplaySetup() noexcept {
  try {
    controls::tDisplayValues values;
    values.screenColorCount = controls::ColorCountFromBits(platform::ScreenBitsPerPixel());
    composition_ = platform::OpenDesktopComposition();
    values.accentColor = controls::ComputeAccentColor(composition_->ColorizationColor());
    if (auto glyph =
            platform::LoadBitmapResource(controls::HelpGlyphResource(values.screenColorCount))) {
      values.helpGlyph = std::move(*glyph);
    }
    controls::SetDisplayValues(std::move(values));
  } catch (...) {  // without memory at load time the controls keep their true-colour defaults
  }
}

TDisplaySetup::~TDisplaySetup() {
  controls::ResetDisplayValues();
  composition_.reset();
}

}  // namespace dux
