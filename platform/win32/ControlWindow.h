#pragma once

#include "platform/win32/WindowsApi.h"

#include <string>

#include "platform/WindowClient.h"

namespace dux::platform {

// A child window that shows a self-painting control: WM_PAINT paints it through a GDI canvas,
// mouse messages reach it in its client coordinates, and it gets the window's capture and
// pointer services. One window class per kind of control, registered on first use.
class ControlWindow final : public WindowSurface {
 public:
  ControlWindow(HWND parent, WindowClient& client, const std::string& className,
                const tRect& bounds);
  ~ControlWindow() override;
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  HWND Handle() const { return window_; }
  WindowClient& Client() const { return client_; }

  void Invalidate() override;
  WindowClient* ClientAtPointer() override;
  WindowClient* CaptureHolder() override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  bool MouseButtonHeld() override;
  bool PaintParentBackground(Canvas& canvas) override;

  // The control shown by a window of ours, or null for any other window.
  static ControlWindow* FromHandle(HWND window);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  WindowClient& client_;
  HWND window_ = nullptr;
};

// Moves a child window to its control's bounds (unless `movable` is false) and shows or hides
// it as the control is visible or not.
void MatchPlacement(HWND window, const WindowClient& client, bool movable);

}  // namespace dux::platform
