#include "controls/StdControls.h"

#include "platform/Dialog.h"

namespace dux::controls {
namespace {

using platform::kTextCenter;
using platform::kTextSingleLine;
using platform::kTextVCenter;
using platform::kTextWordBreak;

// The sunken frame of an edit field: shadow and dark shadow outside, highlight and light inside.
void SunkenFrame(Canvas& canvas, const tRect& r) {
  const Color shadow = ResolveColor(kClBtnShadow);
  const Color dark = ResolveColor(SystemColorValue(21));
  const Color light = ResolveColor(SystemColorValue(22));
  const Color highlight = ResolveColor(kClBtnHighlight);
  canvas.FillRect({r.left, r.top, r.right, r.top + 1}, shadow);
  canvas.FillRect({r.left, r.top, r.left + 1, r.bottom}, shadow);
  canvas.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, highlight);
  canvas.FillRect({r.right - 1, r.top, r.right, r.bottom}, highlight);
  canvas.FillRect({r.left + 1, r.top + 1, r.right - 1, r.top + 2}, dark);
  canvas.FillRect({r.left + 1, r.top + 1, r.left + 2, r.bottom - 1}, dark);
  canvas.FillRect({r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1}, light);
  canvas.FillRect({r.right - 2, r.top + 1, r.right - 1, r.bottom - 1}, light);
}

void RaisedFrame(Canvas& canvas, const tRect& r) {
  const Color shadow = ResolveColor(kClBtnShadow);
  const Color dark = ResolveColor(SystemColorValue(21));
  const Color highlight = ResolveColor(kClBtnHighlight);
  canvas.FillRect({r.left, r.top, r.right, r.top + 1}, highlight);
  canvas.FillRect({r.left, r.top, r.left + 1, r.bottom}, highlight);
  canvas.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, dark);
  canvas.FillRect({r.right - 1, r.top, r.right, r.bottom}, dark);
  canvas.FillRect({r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1}, shadow);
  canvas.FillRect({r.right - 2, r.top + 1, r.right - 1, r.bottom - 1}, shadow);
}

}  // namespace

TForm* FormOf(TControl& control) {
  for (TControl* c = &control; c != nullptr; c = c->Parent()) {
    if (auto* form = dynamic_cast<TForm*>(c)) return form;
  }
  return nullptr;
}

TForm::TForm() { SetColor(kClBtnFace); }

int TForm::ShowModal(void* owner) {
  modalResult_ = 0;
  return platform::RunModalDialog(*this, owner);
}

namespace {

template <class Predicate>
TButton* FindButton(TControl& root, Predicate matches) {
  if (auto* button = dynamic_cast<TButton*>(&root); button != nullptr && matches(*button))
    return button;
  for (TControl* child : root.Controls()) {
    if (TButton* found = FindButton(*child, matches)) return found;
  }
  return nullptr;
}

}  // namespace

void TForm::PressEscape() {
  if (TButton* cancel = FindButton(*this, [](const TButton& b) { return b.isCancel; })) {
    cancel->UserClick();
  } else {
    SetModalResult(platform::kModalCancel);
  }
}

void TForm::PressEnter() {
  if (TButton* ok = FindButton(*this, [](const TButton& b) { return b.isDefault; }))
    ok->UserClick();
}

void TForm::Paint(Canvas& canvas) { canvas.FillRect(ClientRect(), ResolveColor(GetColor())); }

void TEdit::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  Invalidate();
}

void TEdit::UserType(const std::string& text) { TextEdited(text); }

void TEdit::TextEdited(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  if (onChange) onChange();
}

void TEdit::Paint(Canvas& canvas) {
  canvas.FillRect(ClientRect(), ResolveColor(Enabled() ? kClWindow : kClBtnFace));
  SunkenFrame(canvas, ClientRect());
  canvas.DrawText(text_, {3, 2, Width() - 3, Height() - 2}, Font(), ResolveColor(FontColor()),
                  kTextSingleLine | kTextVCenter | platform::kTextNoPrefix);
}

void TComboBox::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  Invalidate();
}

void TComboBox::UserChoose(int index) {
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  text_ = items[static_cast<std::size_t>(index)];
  Invalidate();
  if (onChange) onChange();
}

void TComboBox::UserType(const std::string& text) {
  text_ = text;
  if (onChange) onChange();
}

tNativeStyle TComboBox::NativeStyle() const {
  tNativeStyle style;
  style.itemHeight = itemHeight;
  return style;
}

void TComboBox::Paint(Canvas& canvas) {
  canvas.FillRect(ClientRect(), ResolveColor(kClWindow));
  SunkenFrame(canvas, ClientRect());
  const tRect arrow{Width() - 2 - 17, 2, Width() - 2, Height() - 2};
  canvas.FillRect(arrow, ResolveColor(kClBtnFace));
  RaisedFrame(canvas, arrow);
  const int cx = (arrow.left + arrow.right) / 2;
  const int cy = (arrow.top + arrow.bottom) / 2 - 1;
  for (int i = 0; i < 4; ++i) canvas.FillRect({cx - 3 + i, cy + i, cx + 4 - i, cy + i + 1}, kBlack);
  canvas.DrawText(text_, {3, 2, arrow.left - 1, Height() - 2}, Font(), ResolveColor(FontColor()),
                  kTextSingleLine | kTextVCenter | platform::kTextNoPrefix);
}

tNativeStyle TButton::NativeStyle() const {
  tNativeStyle style;
  style.defaultButton = isDefault;
  style.cancelButton = isCancel;
  return style;
}

void TButton::Clicked() {
  if (!Enabled()) return;
  if (onClick) onClick();
  if (modalResult != 0) {
    if (TForm* form = FormOf(*this)) form->SetModalResult(modalResult);
  }
}

void TButton::Paint(Canvas& canvas) {
  tRect r = ClientRect();
  canvas.FillRect(r, ResolveColor(kClBtnFace));
  if (isDefault) {
    canvas.FrameRect(r, kBlack);
    r = Inflated(r, -1);
  }
  RaisedFrame(canvas, r);
  canvas.DrawText(Caption(), ClientRect(), Font(),
                  ResolveColor(Enabled() ? kClBtnText : SystemColorValue(17)),
                  kTextSingleLine | kTextCenter | kTextVCenter);
}

std::string TMemo::Text() const {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i > 0 ? "\r\n" : "") + lines[i];
  return text;
}

tNativeStyle TMemo::NativeStyle() const {
  tNativeStyle style;
  style.readOnly = true;
  style.verticalScroll = true;
  style.border = false;
  style.tabStop = false;
  return style;
}

void TMemo::Paint(Canvas& canvas) {
  canvas.FillRect(ClientRect(), ResolveColor(GetColor()));
  const int bar = 16;
  canvas.FillRect({Width() - bar, 0, Width(), Height()}, ResolveColor(SystemColorValue(0)));
  int y = 0;
  for (const auto& line : lines) {
    canvas.DrawText(line, {2, y, Width() - bar, y + Font().height + 2}, Font(),
                    ResolveColor(FontColor()),
                    kTextSingleLine | platform::kTextExpandTabs | platform::kTextNoPrefix);
    y += Font().height + 2;
  }
}

TLabel::TLabel(TControl* parent) : TControl(parent) { SetParentColor(true); }

void TLabel::MouseUp(int x, int y) {
  if (onClick && x >= 0 && y >= 0 && x < Width() && y < Height()) onClick();
}

void TLabel::Paint(Canvas& canvas) {
  canvas.FillRect(ClientRect(), ResolveColor(GetColor()));
  unsigned flags = platform::kTextNoPrefix;
  flags |= wordWrap ? kTextWordBreak : kTextSingleLine;
  if (centered) flags |= kTextCenter | kTextVCenter | kTextSingleLine;
  canvas.DrawText(Caption(), ClientRect(), Font(), ResolveColor(FontColor()), flags);
}

TImage::TImage(TControl* parent) : TControl(parent) { SetParentColor(true); }

void TImage::Paint(Canvas& canvas) {
  canvas.FillRect(ClientRect(), ResolveColor(GetColor()));
  if (picture.Empty()) return;
  canvas.DrawBitmap(picture, (Width() - picture.width) / 2, (Height() - picture.height) / 2,
                    picture.At(0, picture.height - 1));
}

}  // namespace dux::controls
