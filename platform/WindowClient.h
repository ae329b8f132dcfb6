#pragma once

#include "platform/Canvas.h"

// The seam between a self-painting control and whatever shows it: a child window on Windows,
// the in-memory screen of the tests elsewhere. The control paints on the canvas it is handed
// and learns of the mouse through these calls; it never reaches the system itself.
namespace dux::platform {

class WindowClient;

// What the window that shows a control offers the control.
class WindowSurface {
 public:
  virtual ~WindowSurface() = default;
  // Asks for the control to be painted again soon.
  virtual void Invalidate() = 0;
  // The control under the mouse pointer, if it is one of ours.
  virtual WindowClient* ClientAtPointer() = 0;
  // The control that holds the mouse capture, if it is one of ours.
  virtual WindowClient* CaptureHolder() = 0;
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouse() = 0;
  // Whether the left or right mouse button is held down now.
  virtual bool MouseButtonHeld() = 0;
  // Paints what lies behind the control (its parent's painting) onto the canvas, in the
  // control's coordinates; false when the window cannot.
  virtual bool PaintParentBackground(Canvas& canvas) = 0;
};

// A control as the window sees it. Coordinates are the control's client coordinates.
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

  void AttachSurface(WindowSurface* surface) { surface_ = surface; }
  WindowSurface* Surface() const { return surface_; }

 private:
  WindowSurface* surface_ = nullptr;
};

}  // namespace dux::platform
