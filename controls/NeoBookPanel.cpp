#include "controls/NeoBookPanel.h"

#include "controls/NeoDisplay.h"

namespace dux::controls {
namespace {

using namespace platform;  // the text flags

constexpr Color kFlatBar = Rgb(128, 128, 128);

}  // namespace

TNeoBookPanel::TNeoBookPanel(TControl* parent) : TControl(parent) { SetColor(kClBtnFace); }

void TNeoBookPanel::SetSubCaption(std::string value) {
  if (value == subCaption_) return;
  subCaption_ = std::move(value);
  Invalidate();
}

void TNeoBookPanel::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  Invalidate();
}

void TNeoBookPanel::SetFocusControl(TControl* control) {
  focusControl_ = control;
  if (control != nullptr) FreeNotification(control);
}

void TNeoBookPanel::Notification(TControl* removed) {
  if (removed == focusControl_) focusControl_ = nullptr;
}

tRect TNeoBookPanel::AlignClientRect(Canvas& canvas) const {
  tRect rect = BasePanelClientRect(ClientRect());
  rect.left += 6;
  if (HasCaptions()) rect.top += canvas.MeasureText("M", Font(), kTextSingleLine).height + 6;
  return rect;
}

bool TNeoBookPanel::DialogChar(char key) {
  if (focusControl_ == nullptr || !Enabled() || !showAccelChar_ || !IsAccelerator(key, Caption())) {
    return false;
  }
  if (!focusControl_->CanFocus()) return false;
  focusControl_->SetFocus();
  return true;
}

unsigned TNeoBookPanel::TextFlags() const {
  unsigned flags = kTextExpandTabs;
  if (!showAccelChar_) flags |= kTextNoPrefix;
  if (RightToLeft()) flags |= kTextRtlReading;
  return flags;
}

void TNeoBookPanel::Paint(Canvas& canvas) {
  if (ScreenColorCount() > 256) {
    PaintShaded(canvas);
  } else {
    PaintFlat(canvas);
  }
}

void TNeoBookPanel::PaintShaded(Canvas& canvas) {
  const unsigned flags = TextFlags();
  const tSize text = canvas.MeasureText(Caption(), Font(), flags);
  const tRect c{2, 2, text.width + 10, text.height + 5};
  const int sub =
      subCaption_.empty()
          ? 0
          : canvas.MeasureText(subCaption_, Font(), kTextSingleLine | kTextNoPrefix).width + 4;
  int barEnd = c.right + sub;
  barEnd = barEnd < Width() ? barEnd + (Width() - barEnd) / 2 : Width();

  const Color color = ResolveColor(GetColor());
  const Color shadow = ResolveColor(kClBtnShadow);
  canvas.FillRect(ClientRect(), color);
  FillGradient(canvas, {0, 0, 2, Height()}, color, true, shadow);
  if (!HasCaptions()) return;
  FillGradient(canvas, {0, 0, barEnd, 2}, color, false, shadow);
  FillGradient(canvas, {2, c.bottom, barEnd, c.bottom + 1}, color, false, shadow);
  FillGradient(canvas, {c.left, c.top, barEnd, c.bottom}, color, false, AccentColor());
  canvas.SetPixel(0, 0, BlendColors(shadow, color, 10));
  canvas.SetPixel(1, 0, BlendColors(shadow, color, 50));
  canvas.SetPixel(0, 1, BlendColors(shadow, color, 50));
  if (const auto current = canvas.Pixel(2, 2))
    canvas.SetPixel(2, 2, BlendColors(*current, shadow, 50));
  canvas.DrawText(Caption(), c, Font(), ResolveColor(FontColor()),
                  flags | kTextSingleLine | kTextCenter | kTextVCenter);
  if (!subCaption_.empty()) {
    canvas.DrawText(subCaption_, {c.right, c.top, Width(), c.bottom}, Font(),
                    ResolveColor(FontColor()),
                    kTextSingleLine | kTextVCenter | kTextLeft | kTextExpandTabs | kTextNoPrefix);
  }
}

void TNeoBookPanel::PaintFlat(Canvas& canvas) {
  const unsigned flags = TextFlags() | kTextCenter | kTextVCenter;
  const tSize text = canvas.MeasureText(Caption(), Font(), flags);
  const tRect c{0, 0, text.width + 8, text.height + 5};
  canvas.FillRect(ClientRect(), ResolveColor(GetColor()));
  if (HasCaptions()) canvas.FillRect(c, kFlatBar);
  canvas.FillRect({0, c.top + 1, 2, Height()}, kFlatBar);
  canvas.DrawText(Caption(), c, Font(), kWhite, flags | kTextSingleLine);
  if (!subCaption_.empty()) {
    canvas.DrawText(subCaption_, {c.right + 4, c.top, Width(), c.bottom}, Font(),
                    ResolveColor(kClBtnText), kTextSingleLine | kTextVCenter | kTextNoPrefix);
  }
}

}  // namespace dux::controls
