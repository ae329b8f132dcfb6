#pragma once

#include "controls/TControl.h"

namespace dux::controls {

// A light-yellow box with a rounded tab on top that carries the help glyph and a caption.
class TNeoBookHelpBox2 : public TControl {
 public:
  explicit TNeoBookHelpBox2(TControl* parent = nullptr);

  // The client area offered to aligned children; `canvas` measures the font.
  tRect AlignClientRect(Canvas& canvas) const override;

  void Paint(Canvas& canvas) override;
  std::string WindowClassName() const override { return "TNeoBookHelpBox2"; }
  platform::tNativeStyle NativeStyle() const override {
    platform::tNativeStyle style;
    style.container = true;
    return style;
  }

  // The body's colours in the shaded style.
  static constexpr Color kTabColor = Rgb(214, 214, 198);
  static constexpr Color kBorderColor = Rgb(178, 178, 162);
  static constexpr Color kBodyColor = Rgb(255, 255, 225);

 private:
  void PaintShaded(Canvas& canvas, int tabHeight, int tabWidth);
  void PaintFlat(Canvas& canvas, int tabHeight, int tabWidth);
};

}  // namespace dux::controls
