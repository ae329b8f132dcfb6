#include "controls/NeoBookButton.h"

#include "controls/NeoDisplay.h"

namespace dux::controls {
namespace {

constexpr Color kIdleBevelLight = Rgb(240, 240, 236);
constexpr Color kIdleBevelDark = Rgb(214, 214, 198);
constexpr Color kIdleInnerLight = Rgb(245, 245, 241);
constexpr Color kIdleInnerDark = Rgb(235, 235, 227);
constexpr Color kIdleTop = Rgb(254, 254, 253);
constexpr Color kIdleBottom = Rgb(233, 232, 224);

bool IsPressed(ButtonState state) {
  return state == ButtonState::kPressed || state == ButtonState::kHeldDown;
}

// A one-pixel edge: `light` on the left and top, `dark` on the right and bottom.
void Edge(Canvas& canvas, const tRect& r, Color light, Color dark) {
  canvas.FillRect({r.left, r.top, r.right, r.top + 1}, light);
  canvas.FillRect({r.left, r.top, r.left + 1, r.bottom}, light);
  canvas.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, dark);
  canvas.FillRect({r.right - 1, r.top, r.right, r.bottom}, dark);
}

// The system's checked pattern of button face and button highlight.
void Dither(Canvas& canvas, const tRect& r) {
  const Color face = ResolveColor(kClBtnFace);
  const Color light = ResolveColor(kClBtnHighlight);
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) canvas.SetPixel(x, y, (x + y) % 2 == 0 ? light : face);
  }
}

}  // namespace

TNeoBookButton::TNeoBookButton(TControl* parent) : TControl(parent) {
  SetParentColor(true);
  SetBounds(0, 0, 24, 24);
}

TNeoBookButton::~TNeoBookButton() = default;

void TNeoBookButton::SetGlyph(const tBitmap& glyph, std::optional<Color> fixedTransparent) {
  glyph_.SetGlyph(glyph, fixedTransparent);
  Invalidate();
}

void TNeoBookButton::SetNumGlyphs(int value) {
  glyph_.SetNumGlyphs(value);
  Invalidate();
}

void TNeoBookButton::SetLayout(ButtonLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}

void TNeoBookButton::SetMargin(int value) {
  if (value == margin_ || value < -1) return;
  margin_ = value;
  Invalidate();
}

void TNeoBookButton::SetSpacing(int value) {
  if (value == spacing_) return;
  spacing_ = value;
  Invalidate();
}

void TNeoBookButton::SetFlat(bool value) {
  if (value == flat_) return;
  flat_ = value;
  Invalidate();
}

void TNeoBookButton::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}

void TNeoBookButton::SetGroupIndex(int value) {
  if (value == groupIndex_) return;
  groupIndex_ = value;
  NotifyGroup();
}

void TNeoBookButton::SetAllowAllUp(bool value) {
  if (value == allowAllUp_) return;
  allowAllUp_ = value;
  NotifyGroup();
}

void TNeoBookButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = value;
  if (value) {
    if (state_ == ButtonState::kUp) Invalidate();
    state_ = ButtonState::kHeldDown;
  } else {
    state_ = ButtonState::kUp;
    Invalidate();
  }
  if (value) NotifyGroup();
}

void TNeoBookButton::NotifyGroup() {
  if (groupIndex_ == 0 || Parent() == nullptr) return;
  for (TControl* control : Parent()->Controls()) {
    if (auto* button = dynamic_cast<TNeoBookButton*>(control))
      button->ButtonPressed(groupIndex_, *this);
  }
}

void TNeoBookButton::ButtonPressed(int group, const TNeoBookButton& sender) {
  if (group != groupIndex_ || &sender == this) return;
  if (sender.down_ && down_) {
    down_ = false;
    state_ = ButtonState::kUp;
    Invalidate();
  }
  allowAllUp_ = sender.allowAllUp_;
}

void TNeoBookButton::Click() {
  if (onClick) onClick();
}

void TNeoBookButton::SystemColorsChanged() {
  glyph_.Invalidate();
  Invalidate();
}

void TNeoBookButton::EnabledChanged() {
  SettleState();
  glyph_.CreateButtonGlyph(state_, ScreenColorCount());
  RefreshHot();
  Invalidate();
}

bool TNeoBookButton::DialogChar(char key) {
  if (!IsAccelerator(key, Caption()) || !Enabled() || !Visible() || Parent() == nullptr ||
      !Parent()->Showing()) {
    return false;
  }
  Click();
  return true;
}

void TNeoBookButton::MouseDown(int /*x*/, int /*y*/, bool doubleClick) {
  if (doubleClick && down_) {
    if (onDblClick) onDblClick();
  }
  if (!Enabled()) return;
  if (!down_) {
    state_ = ButtonState::kPressed;
    Invalidate();
  }
  tracking_ = true;
  if (Surface() != nullptr) Surface()->CaptureMouse();
}

void TNeoBookButton::MouseMove(int x, int y) {
  TControl::MouseMove(x, y);
  if (tracking_) {
    ButtonState next = Inside(x, y) ? ButtonState::kPressed : ButtonState::kUp;
    if (down_) next = ButtonState::kHeldDown;
    if (next != state_) {
      state_ = next;
      Invalidate();
    }
    return;
  }
  WindowSurface* surface = Surface();
  if (surface == nullptr) return;
  const bool over = surface->ClientAtPointer() == this;
  WindowClient* holder = surface->CaptureHolder();
  if (over && holder != this) {
    if (holder != nullptr) holder->MouseLeave();
    surface->CaptureMouse();
    MouseEnter();
  } else if (!over && holder == this) {
    if (!surface->MouseButtonHeld()) surface->ReleaseMouse();
    MouseLeave();
  }
}

void TNeoBookButton::MouseUp(int x, int y) {
  if (!tracking_) return;
  tracking_ = false;
  const bool inside = Inside(x, y);
  if (groupIndex_ == 0) {
    state_ = ButtonState::kUp;
    hot_ = false;
    if (inside) Invalidate();
  } else if (inside) {
    SetDown(!down_);
    if (down_) Invalidate();
  } else {
    if (down_) state_ = ButtonState::kHeldDown;
    Invalidate();
  }
  if (Surface() != nullptr) Surface()->ReleaseMouse();
  if (inside) Click();
  RefreshHot();
}

void TNeoBookButton::RefreshHot() {
  if (Surface() != nullptr && Surface()->ClientAtPointer() == this) {
    MouseEnter();
  } else {
    MouseLeave();
  }
}

void TNeoBookButton::MouseEnter() {
  if (hot_ || !Enabled()) return;
  hot_ = true;
  Invalidate();
}

void TNeoBookButton::MouseLeave() {
  if (!hot_ || !Enabled() || tracking_) return;
  hot_ = false;
  Invalidate();
}

void TNeoBookButton::SettleState() {
  if (!Enabled()) {
    state_ = ButtonState::kDisabled;
    tracking_ = false;
  } else if (state_ == ButtonState::kDisabled) {
    state_ = down_ && groupIndex_ != 0 ? ButtonState::kHeldDown : ButtonState::kUp;
  }
}

void TNeoBookButton::Paint(Canvas& canvas) {
  SettleState();
  if (ScreenColorCount() > 256) {
    PaintShaded(canvas);
  } else {
    PaintClassic(canvas);
  }
  const bool pressed = IsPressed(state_);
  TNeoButtonGlyph::tDrawRequest request;
  request.client = ClientRect();
  request.offset = pressed ? platform::tPoint{1, 1} : platform::tPoint{0, 0};
  request.caption = Caption();
  request.font = Font();
  request.fontColor = FontColor();
  request.layout = layout_;
  request.margin = margin_;
  request.spacing = spacing_;
  request.state = state_;
  request.transparent = transparent_;
  request.rightToLeft = RightToLeft();
  request.screenColorCount = ScreenColorCount();
  lastLayout_ = glyph_.Draw(canvas, request);
}

void TNeoBookButton::PaintShaded(Canvas& canvas) {
  if (!flat_ || IsPressed(state_) || down_ || hot_) {
    DrawFace(canvas);
  } else if (Surface() == nullptr || !Surface()->PaintParentBackground(canvas)) {
    canvas.FillRect(ClientRect(), ResolveColor(GetColor()));
  }
}

void TNeoBookButton::DrawFace(Canvas& canvas) {
  const tRect client = ClientRect();
  Color outline = Enabled() ? kBorderEnabled : kBorderDisabled;
  if (IsPressed(state_)) {
    const tRect r = Inflated(client, -1);
    const Color c5 = ShiftColor(kFaceBase, -20);
    const Color c6 = BlendColors(c5, kFaceLight, 50);
    canvas.Line(r.left, r.top, r.right, r.top, c5);
    canvas.Line(r.left, r.top, r.left, r.bottom, c5);
    canvas.Line(r.left + 1, r.top + 1, r.right, r.top + 1, c6);
    canvas.Line(r.left + 1, r.top + 1, r.left + 1, r.bottom, c6);
    FillGradient(canvas, {r.left + 1, r.top, r.right, r.top + 5}, c6, true, c5);
    FillGradient(canvas, {r.left + 1, r.top + 5, r.right, r.bottom}, kFaceLight, true, c6);
    for (const tRect strip : {tRect{r.left + 1, r.top + 2, r.left + 2, r.bottom},
                              tRect{r.left + 2, r.top + 3, r.left + 3, r.bottom}}) {
      const Color first = canvas.Pixel(strip.left, strip.top).value_or(kFaceLight);
      FillGradient(canvas, strip, kFaceLight, true, first);
    }
    if (Enabled() && hot_) outline = kBorderPressedHot;
  } else {
    tRect r = Inflated(client, -1);
    if (Enabled() && !flat_ && hot_) {
      DrawBevelFrame(canvas, r, BlendColors(kWhite, kHotOrange, 75),
                     BlendColors(kWhite, kHotOrange, 25));
      r = Inflated(r, -1);
      DrawBevelFrame(canvas, r, BlendColors(kWhite, kHotOrange, 85),
                     BlendColors(kWhite, kHotOrange, 60));
      outline = kBorderHot;
    } else {
      DrawBevelFrame(canvas, r, kIdleBevelLight, kIdleBevelDark);
      r = Inflated(r, -1);
      DrawBevelFrame(canvas, r, kIdleInnerLight, kIdleInnerDark);
    }
    r = Inflated(r, -1);
    if (hot_) {
      canvas.FillRect(r, kWhite);
    } else {
      FillGradient(canvas, r, kIdleBottom, true, kIdleTop);
    }
  }
  DrawRoundedOutline(canvas, client, outline);
}

void TNeoBookButton::PaintClassic(Canvas& canvas) {
  const tRect client = ClientRect();
  const Color face = ResolveColor(kClBtnFace);
  const Color light = ResolveColor(kClBtnHighlight);
  const Color shadow = ResolveColor(kClBtnShadow);
  const bool pressed = IsPressed(state_);
  if (flat_) {
    canvas.FillRect(client, ResolveColor(GetColor()));
    if (pressed || (hot_ && state_ != ButtonState::kDisabled)) {
      if (pressed) {
        Edge(canvas, client, shadow, light);  // sunken outer edge
      } else {
        Edge(canvas, client, light, shadow);  // raised inner edge
      }
      if (!transparent_) canvas.FillRect(Inflated(client, -1), face);
    }
  } else {
    const Color dark = ResolveColor(SystemColorValue(21));
    if (pressed) {
      canvas.FrameRect(client, dark);
      canvas.FrameRect(Inflated(client, -1), shadow);
    } else {
      Edge(canvas, client, light, dark);
      Edge(canvas, Inflated(client, -1), ResolveColor(SystemColorValue(22)), shadow);
    }
    canvas.FillRect(Inflated(client, -2), face);
  }
  if (state_ == ButtonState::kHeldDown && (!flat_ || !hot_)) Dither(canvas, Inflated(client, -2));
}

}  // namespace dux::controls
