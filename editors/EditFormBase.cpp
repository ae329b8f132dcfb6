#include "editors/EditFormBase.h"

#include "platform/Display.h"

namespace dux::editors {
namespace {

constexpr int kPanelHeight = 65;
constexpr int kEditHeight = 23;
constexpr int kPushButtonHeight = 25;
constexpr controls::Color kCommandBoxColor = platform::Rgb(255, 255, 225);  // $00E1FFFF
constexpr controls::Color kGlyphTransparent = platform::Rgb(128, 0, 128);   // $00800080

}  // namespace

platform::tFont DialogFont() { return {"MS Sans Serif", 11, false}; }
platform::tFont EditFont() { return {"Arial", 12, false}; }

TEditFormBase::TEditFormBase(const tFrame& frame) {
  SetName("EditForm");
  SetCaption("Action Properties");
  SetClientSize(frame.width, frame.height);
  SetFont(DialogFont(), controls::kClWindowText);

  NeoBookCommandBox.SetName("NeoBookCommandBox");
  NeoBookCommandBox.SetBounds(frame.commandBox.left, frame.commandBox.top, frame.commandBox.Width(),
                              frame.commandBox.Height());
  NeoBookCommandBox.SetColor(kCommandBoxColor);
  CommandLabel.SetName("CommandLabel");
  CommandLabel.SetBounds(8, 24, frame.commandLabelWidth, 41);
  CommandLabel.wordWrap = true;
  CommandLabel.SetColor(controls::kClInfoBk);

  OKBtn.SetName("OKBtn");
  OKBtn.SetCaption("OK");
  OKBtn.SetBounds(frame.okLeft, frame.buttonTop, frame.okWidth, kPushButtonHeight);
  OKBtn.isDefault = true;
  OKBtn.modalResult = platform::kModalOk;
  CancelBtn.SetName("CancelBtn");
  CancelBtn.SetCaption("Cancel");
  CancelBtn.SetBounds(frame.cancelLeft, frame.buttonTop, frame.cancelWidth, kPushButtonHeight);
  CancelBtn.isCancel = true;
  CancelBtn.modalResult = platform::kModalCancel;
  OKBtn.SetTabOrder(0);
  CancelBtn.SetTabOrder(1);
}

void TEditFormBase::SetCommand(const std::string& name, const std::string& description,
                               const std::string& productName) {
  SetCaption(name + " Properties");
  NeoBookCommandBox.SetCaption(name + "  (" + productName + ")");
  CommandLabel.SetCaption(description);
}

TNeoBookPanel& TEditFormBase::AddPanel(const std::string& name, int left, int top, int width) {
  auto panel = std::make_unique<TNeoBookPanel>(this);
  panel->SetName(name);
  panel->SetBounds(left, top, width, kPanelHeight);
  return Adopt(std::move(panel));
}

TEdit& TEditFormBase::AddEdit(TNeoBookPanel& panel, const std::string& name, int width, int top) {
  auto edit = std::make_unique<TEdit>(&panel);
  edit->SetName(name);
  edit->SetBounds(12, top, width, kEditHeight);
  edit->SetFont(EditFont(), controls::kClWindowText);
  return Adopt(std::move(edit));
}

TNeoBookButton& TEditFormBase::AddGlyphButton(TNeoBookPanel& panel, const std::string& name,
                                              int left, const char* glyph,
                                              const std::string& hint) {
  auto button = std::make_unique<TNeoBookButton>(&panel);
  button->SetName(name);
  button->SetBounds(left, 28, 24, 24);
  button->SetFlat(true);
  button->SetHint(hint);
  button->SetShowHint(true);
  if (auto picture = platform::LoadBitmapResource(glyph))
    button->SetGlyph(*picture, kGlyphTransparent);
  return Adopt(std::move(button));
}

void TEditFormBase::SetPanelTabOrder(const std::vector<TNeoBookPanel*>& panels) {
  int order = 2;
  for (TNeoBookPanel* panel : panels) panel->SetTabOrder(order++);
  NeoBookCommandBox.SetTabOrder(order);
}

std::optional<std::string> TEditFormBase::Request(std::int32_t code, const std::string& text) {
  if (host_ == nullptr) return std::nullopt;
  return host_->Request(code, text);
}

void TEditFormBase::InsertVariable(TEdit& field) {
  if (auto answer = Request(kRequestInsertVariable, field.Text())) field.SetText(*answer);
}

void TEditFormBase::EditActionString(TEdit& field) {
  if (host_ == nullptr || !host_->CanRequest()) return;
  const std::string request = field.Text() + '\r' + host_->Variable("[PubDir]") + '\r' +
                              "JPG Files|*.jpg" + '\r' + "False" + '\r' + "False";
  if (auto answer = Request(kRequestChooseFile, request)) field.SetText(*answer);
}

}  // namespace dux::editors
