#pragma once

#include "controls/TControl.h"

namespace dux::controls {

// A group panel in the host's look: the caption sits on a coloured bar that fades out to the
// right, with a shaded edge on the left and the top.
class TNeoBookPanel : public TControl {
 public:
  explicit TNeoBookPanel(TControl* parent = nullptr);

  const std::string& SubCaption() const { return subCaption_; }
  void SetSubCaption(std::string value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  TControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TControl* control);

  // The client area offered to aligned children; `canvas` measures the font.
  tRect AlignClientRect(Canvas& canvas) const override;

  void Paint(Canvas& canvas) override;
  std::string WindowClassName() const override { return "TNeoBookPanel"; }
  platform::tNativeStyle NativeStyle() const override {
    platform::tNativeStyle style;
    style.container = true;
    return style;
  }
  bool DialogChar(char key) override;

 protected:
  void Notification(TControl* removed) override;

 private:
  unsigned TextFlags() const;
  void PaintShaded(Canvas& canvas);
  void PaintFlat(Canvas& canvas);
  bool HasCaptions() const { return !Caption().empty() || !subCaption_.empty(); }

  std::string subCaption_;
  bool showAccelChar_ = true;
  TControl* focusControl_ = nullptr;
};

// The client rectangle of a plain panel with the default single outer bevel.
constexpr tRect BasePanelClientRect(const tRect& client) { return Inflated(client, -1); }

}  // namespace dux::controls
