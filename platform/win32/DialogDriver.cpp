#include "platform/DialogDriver.h"

#include "platform/win32/WindowsApi.h"

#include <cstdlib>
#include <mutex>
#include <thread>

#include "platform/MemoryCanvas.h"
#include "platform/win32/DialogNames.h"

namespace dux::platform {
namespace {

constexpr int kWaitSteps = 1200;  // of 50 ms: a minute for the dialog to appear on a busy machine

struct tSearch {
  std::string name;
  HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[64] = {};
  GetClassNameA(window, className, sizeof(className));
  if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
      std::string(className) == kDialogClass) {
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindNamed(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<tSearch*>(param);
  const auto* name = static_cast<const char*>(GetPropA(window, kControlNameProperty));
  if (name != nullptr && search->name == name) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

std::string ClassOf(HWND window) {
  char className[64] = {};
  GetClassNameA(window, className, sizeof(className));
  return className;
}

void Notify(HWND control, int code) {
  const int id = GetDlgCtrlID(control);
  SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(id, code),
               reinterpret_cast<LPARAM>(control));
}

bool Screenshot(HWND dialog, const std::string& path) {
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(300);
  RECT r;
  GetWindowRect(dialog, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  tBitmap image(width, height);
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                     static_cast<std::size_t>(x)];
      image.Set(x, y,
                Rgb(static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF),
                    static_cast<int>(p & 0xFF)));
    }
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return SaveBmp(image, path);
}

class Win32DialogDriver final : public DialogDriver {
 public:
  explicit Win32DialogDriver(std::vector<tDialogStep> steps)
      : steps_(std::move(steps)), thread_([this] { Drive(); }) {}
  ~Win32DialogDriver() override { thread_.join(); }
  Win32DialogDriver(const Win32DialogDriver&) = delete;
  Win32DialogDriver& operator=(const Win32DialogDriver&) = delete;

  std::vector<std::string> Log() override {
    std::lock_guard lock(mutex_);
    return log_;
  }

 private:
  void Note(const std::string& line) {
    std::lock_guard lock(mutex_);
    log_.push_back(line);
  }

  void Drive() {
    HWND dialog = nullptr;
    for (int i = 0; i < kWaitSteps && dialog == nullptr; ++i) {
      Sleep(50);
      EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&dialog));
    }
    if (dialog == nullptr) {
      Note("no dialog appeared");
      return;
    }
    Sleep(200);
    char title[256] = {};
    GetWindowTextA(dialog, title, sizeof(title));
    Note(std::string("dialog \"") + title + "\"");
    for (const auto& step : steps_) Perform(dialog, step);
  }

  HWND Find(HWND dialog, const std::string& name) {
    tSearch search{name};
    EnumChildWindows(dialog, &FindNamed, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) Note("no control " + name);
    return search.found;
  }

  void Perform(HWND dialog, const tDialogStep& step) {
    using Kind = tDialogStep::Kind;
    switch (step.kind) {
      case Kind::kType:
        if (HWND control = Find(dialog, step.target)) {
          SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.value.c_str()));
          if (ClassOf(control) == "ComboBox") Notify(control, CBN_EDITCHANGE);
          Note("typed into " + step.target);
        }
        break;
      case Kind::kChoose:
        if (HWND control = Find(dialog, step.target)) {
          SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(std::atoi(step.value.c_str())),
                       0);
          Notify(control, CBN_SELCHANGE);
          Note("chose in " + step.target);
        }
        break;
      case Kind::kClick:
        if (HWND control = Find(dialog, step.target)) {
          if (ClassOf(control) == "Button") {
            Notify(control, BN_CLICKED);
          } else {
            SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
          }
          Note("clicked " + step.target);
        }
        break;
      case Kind::kScreenshot:
        Note((Screenshot(dialog, step.target) ? "screenshot " : "screenshot failed ") +
             step.target);
        break;
      case Kind::kClose:
        Close(dialog, step.target);
        break;
    }
  }

  void Close(HWND dialog, const std::string& how) {
    if (how == "ok") {
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    } else if (how == "cancel") {
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    } else if (how == "escape") {
      PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    } else {
      PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
    Note("closed with " + how);
  }

  std::vector<tDialogStep> steps_;
  std::mutex mutex_;
  std::vector<std::string> log_;
  std::thread thread_;
};

}  // namespace

std::unique_ptr<DialogDriver> StartDialogDriver(std::vector<tDialogStep> steps) {
  return std::make_unique<Win32DialogDriver>(std::move(steps));
}

}  // namespace dux::platform
