#pragma once

#include <functional>

#include "controls/NeoButtonGlyph.h"
#include "controls/TControl.h"

namespace dux::controls {

// The small picture button of the action editors: a speed button that never takes the focus,
// may work as a toggle in a group, and paints a rounded, softly shaded face in the host's look.
class TNeoBookButton : public TControl {
 public:
  explicit TNeoBookButton(TControl* parent = nullptr);
  ~TNeoBookButton() override;

  const tBitmap& Glyph() const { return glyph_.Glyph(); }
  void SetGlyph(const tBitmap& glyph, std::optional<Color> fixedTransparent = std::nullopt);
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int value);
  ButtonLayout Layout() const { return layout_; }
  void SetLayout(ButtonLayout value);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  bool Down() const { return down_; }
  void SetDown(bool value);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);

  ButtonState State() const { return state_; }
  bool Hot() const { return hot_; }
  bool Tracking() const { return tracking_; }
  const TNeoButtonGlyph& ButtonGlyph() const { return glyph_; }
  // Where Paint put the glyph and the caption last time.
  const tGlyphLayout& LastLayout() const { return lastLayout_; }

  std::function<void()> onClick;
  std::function<void()> onDblClick;

  void Click();
  // Rebuilds the state images, as a change of the system colours requires.
  void SystemColorsChanged();

  void Paint(Canvas& canvas) override;
  std::string WindowClassName() const override { return "TNeoBookButton"; }
  void MouseDown(int x, int y, bool doubleClick) override;
  void MouseMove(int x, int y) override;
  void MouseUp(int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  bool DialogChar(char key) override;

 protected:
  void EnabledChanged() override;

 private:
  bool Inside(int x, int y) const { return x >= 0 && x < Width() && y >= 0 && y < Height(); }
  void NotifyGroup();
  void ButtonPressed(int group, const TNeoBookButton& sender);
  void RefreshHot();
  void SettleState();
  void PaintShaded(Canvas& canvas);
  void PaintClassic(Canvas& canvas);
  void DrawFace(Canvas& canvas);

  TNeoButtonGlyph glyph_;
  ButtonLayout layout_ = ButtonLayout::kGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool flat_ = false;
  bool transparent_ = true;
  int groupIndex_ = 0;
  bool down_ = false;
  bool allowAllUp_ = false;
  ButtonState state_ = ButtonState::kUp;
  bool hot_ = false;
  bool tracking_ = false;
  tGlyphLayout lastLayout_;
};

}  // namespace dux::controls
