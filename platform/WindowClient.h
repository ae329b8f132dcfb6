#pragma once

#include <string>
#include <vector>

#include "platform/Canvas.h"

// The seam between the controls and whatever shows them: child windows on Windows, the
// in-memory screen of the tests elsewhere. A control paints on the canvas it is handed, learns
// of the mouse and of the user's edits through these calls, and never reaches the system itself.
namespace dux::platform {

class WindowClient;

// What the window that shows a control offers the control.
class WindowSurface {
 public:
  virtual ~WindowSurface() = default;
  // The control changed: paint it again soon, and take its text, items, place and visibility.
  virtual void Invalidate() = 0;
  // The control under the mouse pointer, if it is one of ours.
  virtual WindowClient* ClientAtPointer() = 0;
  // The control that holds the mouse capture, if it is one of ours.
  virtual WindowClient* CaptureHolder() = 0;
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouse() = 0;
  // Whether the left or right mouse button is held down now.
  virtual bool MouseButtonHeld() = 0;
  // Paints what lies behind the control onto the canvas, in the control's coordinates; false
  // when the window cannot.
  virtual bool PaintParentBackground(Canvas& canvas) = 0;
};

// Controls the system draws and edits itself; every other control paints itself.
enum class NativeControl { kPainted, kEdit, kComboBox, kPushButton, kMemo };

struct tNativeStyle {
  bool readOnly = false;
  bool defaultButton = false;  // Enter presses it
  bool cancelButton = false;   // Escape presses it
  bool verticalScroll = false;
  bool border = true;
  bool tabStop = true;
  bool container = false;  // holds other controls that take part in the Tab order
  int itemHeight = 0;      // list items of a combo box
};

enum class CursorShape { kArrow, kHand };

// A control as the window system sees it. Coordinates are the control's client coordinates;
// bounds are in the parent's.
class WindowClient {
 public:
  virtual ~WindowClient() = default;

  virtual void Paint(Canvas& canvas) = 0;
  virtual void MouseDown(int /*x*/, int /*y*/, bool /*doubleClick*/) {}
  virtual void MouseMove(int /*x*/, int /*y*/) {}
  virtual void MouseUp(int /*x*/, int /*y*/) {}
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  // A character typed with Alt, or a mnemonic key of the dialog; true when taken.
  virtual bool DialogChar(char /*key*/) { return false; }

  // The tree and the looks the window takes from the control.
  virtual std::string ControlName() const = 0;
  virtual std::string WindowClassName() const = 0;
  virtual std::vector<WindowClient*> TabOrderedChildren() const = 0;
  virtual tRect WindowBounds() const = 0;
  virtual bool WindowVisible() const = 0;
  virtual NativeControl NativeKind() const { return NativeControl::kPainted; }
  virtual tNativeStyle NativeStyle() const { return {}; }
  virtual std::string WindowText() const { return {}; }
  virtual std::vector<std::string> WindowItems() const { return {}; }
  virtual tFont WindowFont() const = 0;
  virtual Color WindowTextColor() const = 0;  // plain colours
  virtual Color WindowBackground() const = 0;
  virtual CursorShape Cursor() const { return CursorShape::kArrow; }
  // The hint shown when the pointer rests on the control; empty for none.
  virtual std::string HintText() const { return {}; }

  // What the user did to a system control.
  virtual void TextEdited(const std::string& /*text*/) {}
  virtual void ItemChosen(int /*index*/) {}
  virtual void Clicked() {}

  void AttachSurface(WindowSurface* surface) { surface_ = surface; }
  WindowSurface* Surface() const { return surface_; }

 private:
  WindowSurface* surface_ = nullptr;
};

// A form shown as a modal dialog.
class DialogClient {
 public:
  virtual ~DialogClient() = default;
  // The form's own control: its client size, background, font and children.
  virtual WindowClient& FormClient() = 0;
  virtual std::string Title() const = 0;
  // 0 while the dialog runs; the result it closes with (1 OK, 2 Cancel) once set.
  virtual int ModalResult() const = 0;
  virtual void SetModalResult(int result) = 0;
};

inline constexpr int kModalOk = 1;
inline constexpr int kModalCancel = 2;

}  // namespace dux::platform
