#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/TControl.h"

// The plain controls of the dialogs: the form itself, edit fields, a drop-down list, push
// buttons, a read-only memo, labels and a picture. The system draws and edits the first four
// kinds on Windows; here they also paint a plain stand-in look for the in-memory screen, and
// offer the user's actions (typing, choosing, clicking) for tests to play.
namespace dux::controls {

using platform::DialogClient;
using platform::NativeControl;
using platform::tBitmap;
using platform::tNativeStyle;

// A dialog form: caption, client size, modal result.
class TForm : public TControl, public DialogClient {
 public:
  TForm();
  WindowClient& FormClient() override { return *this; }
  std::string Title() const override { return Caption(); }
  int ModalResult() const override { return modalResult_; }
  void SetModalResult(int result) override { modalResult_ = result; }
  void SetClientSize(int width, int height) { SetBounds(0, 0, width, height); }

  // Shows the form modally, owned by `owner` (a window handle); returns the modal result.
  int ShowModal(void* owner);
  // What Escape does: the cancel button's click, or closing with Cancel.
  void PressEscape();
  // What Enter does outside a push button: the default button's click.
  void PressEnter();

  std::string WindowClassName() const override { return "TForm"; }
  void Paint(Canvas& canvas) override;

 private:
  int modalResult_ = 0;
};

// A one-line edit field.
class TEdit : public TControl {
 public:
  using TControl::TControl;
  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  // As the user types: replaces the whole text and fires onChange.
  void UserType(const std::string& text);
  std::function<void()> onChange;

  std::string WindowClassName() const override { return "TEdit"; }
  NativeControl NativeKind() const override { return NativeControl::kEdit; }
  std::string WindowText() const override { return text_; }
  void TextEdited(const std::string& text) override;
  bool CanFocus() const override { return Enabled() && Showing(); }
  void Paint(Canvas& canvas) override;

 private:
  std::string text_;
};

// An editable drop-down list.
class TComboBox : public TControl {
 public:
  using TControl::TControl;
  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  std::vector<std::string> items;
  int itemHeight = 15;
  // As the user picks a list entry (the text becomes the entry) or types; both fire onChange.
  void UserChoose(int index);
  void UserType(const std::string& text);
  std::function<void()> onChange;

  std::string WindowClassName() const override { return "TComboBox"; }
  NativeControl NativeKind() const override { return NativeControl::kComboBox; }
  tNativeStyle NativeStyle() const override;
  std::string WindowText() const override { return text_; }
  std::vector<std::string> WindowItems() const override { return items; }
  void TextEdited(const std::string& text) override { UserType(text); }
  void ItemChosen(int index) override { UserChoose(index); }
  bool CanFocus() const override { return Enabled() && Showing(); }
  void Paint(Canvas& canvas) override;

 private:
  std::string text_;
};

// A push button; a click closes its form with the button's modal result when that is not 0.
class TButton : public TControl {
 public:
  using TControl::TControl;
  bool isDefault = false;
  bool isCancel = false;
  int modalResult = 0;
  std::function<void()> onClick;
  void UserClick() { Clicked(); }

  std::string WindowClassName() const override { return "TButton"; }
  NativeControl NativeKind() const override { return NativeControl::kPushButton; }
  tNativeStyle NativeStyle() const override;
  std::string WindowText() const override { return Caption(); }
  void Clicked() override;
  bool CanFocus() const override { return Enabled() && Showing(); }
  void Paint(Canvas& canvas) override;
};

// A read-only multi-line text with a vertical scroll bar, skipped by the Tab key.
class TMemo : public TControl {
 public:
  using TControl::TControl;
  std::vector<std::string> lines;
  // The lines joined with CR LF, as the control holds them.
  std::string Text() const;

  std::string WindowClassName() const override { return "TMemo"; }
  NativeControl NativeKind() const override { return NativeControl::kMemo; }
  tNativeStyle NativeStyle() const override;
  std::string WindowText() const override { return Text(); }
  void Paint(Canvas& canvas) override;
};

// A text the control paints itself on its colour (the parent's unless set): left-aligned or
// centred, word-wrapped or on one line.
class TLabel : public TControl {
 public:
  explicit TLabel(TControl* parent = nullptr);
  bool centered = false;
  bool wordWrap = false;
  platform::CursorShape cursor = platform::CursorShape::kArrow;
  std::function<void()> onClick;

  std::string WindowClassName() const override { return "TLabel"; }
  platform::CursorShape Cursor() const override { return cursor; }
  void MouseUp(int x, int y) override;
  void Paint(Canvas& canvas) override;
};

// A picture centred in its frame, its bottom-left pixel colour drawn transparent.
class TImage : public TControl {
 public:
  explicit TImage(TControl* parent = nullptr);
  tBitmap picture;

  std::string WindowClassName() const override { return "TImage"; }
  void Paint(Canvas& canvas) override;
};

// The form that holds a control, or null.
TForm* FormOf(TControl& control);

}  // namespace dux::controls
