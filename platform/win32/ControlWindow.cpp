#include "platform/win32/ControlWindow.h"

#include <windowsx.h>

#include <set>

#include "platform/win32/GdiCanvas.h"

namespace dux::platform {
namespace {

constexpr char kControlProperty[] = "duxIPTC.ControlWindow";

// The window classes registered by this module, unregistered when it unloads.
class ClassRegistry {
 public:
  ~ClassRegistry() {
    for (const auto& name : names_) UnregisterClassA(name.c_str(), ThisModule());
  }
  void Ensure(const std::string& name, WNDPROC procedure) {
    if (names_.count(name) != 0) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = ThisModule();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name.c_str();
    if (RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS)
      names_.insert(name);
  }

 private:
  std::set<std::string> names_;
};

ClassRegistry& Registry() {
  static ClassRegistry registry;
  return registry;
}

}  // namespace

ControlWindow::ControlWindow(HWND parent, WindowClient& client, const std::string& className,
                             const tRect& bounds)
    : client_(client) {
  Registry().Ensure(className, &ControlWindow::Procedure);
  const DWORD exStyle = client.NativeStyle().container ? WS_EX_CONTROLPARENT : 0;
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (client.WindowVisible() ? WS_VISIBLE : 0);
  window_ = CreateWindowExA(exStyle, className.c_str(), "", style, bounds.left, bounds.top,
                            bounds.Width(), bounds.Height(), parent, nullptr, ThisModule(), this);
  client_.AttachSurface(this);
}

ControlWindow::~ControlWindow() {
  client_.AttachSurface(nullptr);
  if (window_ != nullptr) {
    RemovePropA(window_, kControlProperty);
    DestroyWindow(window_);
  }
}

ControlWindow* ControlWindow::FromHandle(HWND window) {
  return window != nullptr ? static_cast<ControlWindow*>(GetPropA(window, kControlProperty))
                           : nullptr;
}

LRESULT CALLBACK ControlWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      SetPropA(window, kControlProperty, create->lpCreateParams);
    }
    if (ControlWindow* self = FromHandle(window); self != nullptr && self->window_ == window) {
      return self->Handle(message, wParam, lParam);
    }
  } catch (...) {  // nothing may unwind through the system's message dispatch
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT ControlWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_;
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the control paints every pixel
    case WM_PAINT:
      PaintWindow(window_, client_);
      return 0;
    case WM_LBUTTONDOWN:
      client_.MouseDown(x, y, false);
      return 0;
    case WM_LBUTTONDBLCLK:
      client_.MouseDown(x, y, true);
      return 0;
    case WM_MOUSEMOVE:
      client_.MouseMove(x, y);
      return 0;
    case WM_LBUTTONUP:
      client_.MouseUp(x, y);
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        SetCursor(
            LoadCursor(nullptr, client_.Cursor() == CursorShape::kHand ? IDC_HAND : IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      // Notifications of system controls placed on a panel belong to the dialog.
      return SendMessageA(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    case WM_NCDESTROY:
      RemovePropA(window, kControlProperty);
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void MatchPlacement(HWND window, const WindowClient& client, bool movable) {
  const tRect bounds = client.WindowBounds();
  RECT current;
  GetWindowRect(window, &current);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&current), 2);
  if (movable && (current.left != bounds.left || current.top != bounds.top ||
                  current.right != bounds.right || current.bottom != bounds.bottom)) {
    MoveWindow(window, bounds.left, bounds.top, bounds.Width(), bounds.Height(), TRUE);
  }
  const bool visible = client.WindowVisible();
  if ((IsWindowVisible(window) != FALSE) != visible)
    ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
}

void ControlWindow::Invalidate() {
  if (window_ == nullptr) return;
  MatchPlacement(window_, client_, true);
  InvalidateRect(window_, nullptr, FALSE);
}

WindowClient* ControlWindow::ClientAtPointer() {
  POINT point;
  if (!GetCursorPos(&point)) return nullptr;
  ControlWindow* under = FromHandle(WindowFromPoint(point));
  return under != nullptr ? &under->client_ : nullptr;
}

WindowClient* ControlWindow::CaptureHolder() {
  ControlWindow* holder = FromHandle(GetCapture());
  return holder != nullptr ? &holder->client_ : nullptr;
}

void ControlWindow::CaptureMouse() {
  if (window_ != nullptr) SetCapture(window_);
}

void ControlWindow::ReleaseMouse() {
  if (window_ != nullptr && GetCapture() == window_) ReleaseCapture();
}

bool ControlWindow::MouseButtonHeld() {
  return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0 ||
         (GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0;
}

bool ControlWindow::PaintParentBackground(Canvas&) { return false; }

}  // namespace dux::platform
