#include "platform/Dialog.h"

#include "platform/win32/WindowsApi.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <exception>
#include <list>
#include <map>
#include <memory>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "platform/win32/ControlWindow.h"
#include "platform/win32/DialogNames.h"
#include "platform/win32/GdiCanvas.h"

// The Windows dialogs: a dialog-frame window with the form's controls as child windows, the
// system's own edit fields, combo boxes and buttons for the native kinds, tooltips for hints,
// and a modal message loop with the dialog keys (Tab, Enter, Escape).
namespace dux::platform {
namespace {

constexpr int kFirstControlId = 1000;
constexpr int kDropDownRows = 10;

// A system control and the control it shows.
struct tNativeItem {
  HWND window = nullptr;
  WindowClient* client = nullptr;
  std::string name;
};

class Win32Dialog;

// Keeps a system control in step with its control when the control changes.
class NativeSurface final : public WindowSurface {
 public:
  NativeSurface(Win32Dialog& dialog, tNativeItem& item) : dialog_(dialog), item_(item) {}
  void Invalidate() override;
  WindowClient* ClientAtPointer() override { return nullptr; }
  WindowClient* CaptureHolder() override { return nullptr; }
  void CaptureMouse() override {}
  void ReleaseMouse() override {}
  bool MouseButtonHeld() override { return false; }
  bool PaintParentBackground(Canvas&) override { return false; }

 private:
  Win32Dialog& dialog_;
  tNativeItem& item_;
};

std::string WindowTextOf(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

class Win32Dialog {
 public:
  Win32Dialog(DialogClient& form, HWND owner) : form_(form), owner_(owner) {}
  ~Win32Dialog() { Close(); }
  Win32Dialog(const Win32Dialog&) = delete;
  Win32Dialog& operator=(const Win32Dialog&) = delete;

  int Run();
  void SetSyncing(bool value) { syncing_ = value; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Create();
  void CreateChildren(HWND parent, WindowClient& client);
  void CreateNative(HWND parent, WindowClient& client);
  void AddTooltip(HWND window, const std::string& text);
  HFONT FontFor(const tFont& font);
  HBRUSH BrushFor(Color color);
  tNativeItem* ItemOf(HWND window);
  WindowClient* ButtonWhere(bool (*matches)(const tNativeStyle&));
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void Close();

  DialogClient& form_;
  HWND owner_;
  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  bool ownerDisabled_ = false;
  bool syncing_ = false;
  int nextId_ = kFirstControlId;
  std::vector<std::unique_ptr<ControlWindow>> painted_;
  std::vector<std::unique_ptr<tNativeItem>> natives_;
  std::vector<std::unique_ptr<NativeSurface>> surfaces_;
  std::list<std::string> names_;  // the painted controls' names, held for the window property
  std::list<std::string> tips_;   // hint texts, held for the tooltip control
  std::map<std::tuple<std::string, int, bool>, HFONT> fonts_;
  std::map<Color, HBRUSH> brushes_;
  std::exception_ptr error_;
};

void NativeSurface::Invalidate() {
  if (item_.window == nullptr) return;
  dialog_.SetSyncing(true);
  const std::string text = item_.client->WindowText();
  if (item_.client->NativeKind() != NativeControl::kPushButton &&
      WindowTextOf(item_.window) != text) {
    SetWindowTextA(item_.window, text.c_str());
  }
  // A combo box's window also holds its drop-down list: it keeps the height it was made with.
  MatchPlacement(item_.window, *item_.client,
                 item_.client->NativeKind() != NativeControl::kComboBox);
  dialog_.SetSyncing(false);
}

void RegisterDialogClass() {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = ThisModule();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kDialogClass;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  RegisterClassExA(&wc);  // fails harmlessly when already registered
}

int Win32Dialog::Run() {
  Create();
  if (owner_ != nullptr && IsWindowEnabled(owner_)) {
    EnableWindow(owner_, FALSE);
    ownerDisabled_ = true;
  }
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) SetFocus(first);
  MSG msg;
  while (form_.ModalResult() == 0 && !error_) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      form_.SetModalResult(kModalCancel);
      break;
    }
    if (!IsDialogMessageA(window_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  Close();
  if (error_) std::rethrow_exception(error_);
  return form_.ModalResult();
}

void Win32Dialog::Create() {
  RegisterDialogClass();
  INITCOMMONCONTROLSEX common{sizeof(common), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common);
  WindowClient& client = form_.FormClient();
  const tRect bounds = client.WindowBounds();
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, bounds.Width(), bounds.Height()};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  window_ = CreateWindowExA(exStyle, kDialogClass, form_.Title().c_str(), style, left, top, width,
                            height, owner_, nullptr, ThisModule(), nullptr);
  if (window_ == nullptr) throw std::runtime_error("The dialog cannot be created");
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Dialog::Procedure));
  SetPropA(window_, kControlNameProperty, const_cast<char*>("form"));
  tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                             nullptr, ThisModule(), nullptr);
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(client.WindowFont())), FALSE);
  CreateChildren(window_, client);
}

void Win32Dialog::CreateChildren(HWND parent, WindowClient& client) {
  for (WindowClient* child : client.TabOrderedChildren()) {
    if (child->NativeKind() != NativeControl::kPainted) {
      CreateNative(parent, *child);
      continue;
    }
    auto window = std::make_unique<ControlWindow>(parent, *child, child->WindowClassName(),
                                                  child->WindowBounds());
    names_.push_back(child->ControlName());
    SetPropA(window->Handle(), kControlNameProperty, names_.back().data());
    AddTooltip(window->Handle(), child->HintText());
    HWND handle = window->Handle();
    painted_.push_back(std::move(window));
    CreateChildren(handle, *child);
  }
}

void Win32Dialog::CreateNative(HWND parent, WindowClient& client) {
  const tNativeStyle native = client.NativeStyle();
  const tRect b = client.WindowBounds();
  DWORD style =
      WS_CHILD | (client.WindowVisible() ? WS_VISIBLE : 0) | (native.tabStop ? WS_TABSTOP : 0);
  DWORD exStyle = 0;
  const char* className = "EDIT";
  int height = b.Height();
  int id = nextId_++;
  switch (client.NativeKind()) {
    case NativeControl::kEdit:
      style |= ES_AUTOHSCROLL | (native.readOnly ? ES_READONLY : 0);
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case NativeControl::kComboBox:
      className = "COMBOBOX";
      style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
      height = b.Height() + kDropDownRows * std::max(native.itemHeight, 1);
      break;
    case NativeControl::kPushButton:
      className = "BUTTON";
      style |= native.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      if (native.defaultButton) id = IDOK;
      if (native.cancelButton) id = IDCANCEL;
      break;
    case NativeControl::kMemo:
      style |=
          ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | (native.verticalScroll ? WS_VSCROLL : 0);
      exStyle = native.border ? WS_EX_CLIENTEDGE : 0;
      break;
    case NativeControl::kPainted:
      return;
  }
  auto item = std::make_unique<tNativeItem>();
  item->client = &client;
  item->name = client.ControlName();
  item->window = CreateWindowExA(
      exStyle, className, client.WindowText().c_str(), style, b.left, b.top, b.Width(), height,
      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(), nullptr);
  if (item->window == nullptr) throw std::runtime_error("A dialog control cannot be created");
  SendMessageA(item->window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(client.WindowFont())),
               FALSE);
  SetPropA(item->window, kControlNameProperty, item->name.data());
  if (client.NativeKind() == NativeControl::kComboBox) {
    for (const auto& entry : client.WindowItems())
      SendMessageA(item->window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    if (native.itemHeight > 0) SendMessageA(item->window, CB_SETITEMHEIGHT, 0, native.itemHeight);
    SetWindowTextA(item->window, client.WindowText().c_str());
  }
  auto surface = std::make_unique<NativeSurface>(*this, *item);
  client.AttachSurface(surface.get());
  surfaces_.push_back(std::move(surface));
  natives_.push_back(std::move(item));
}

void Win32Dialog::AddTooltip(HWND window, const std::string& text) {
  if (tooltip_ == nullptr || text.empty()) return;
  tips_.push_back(text);
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V1_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = window_;
  info.uId = reinterpret_cast<UINT_PTR>(window);
  info.lpszText = tips_.back().data();
  SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

HFONT Win32Dialog::FontFor(const tFont& font) {
  const auto key = std::make_tuple(font.name, font.height, font.bold);
  if (auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  HFONT created = CreateGdiFont(font);
  fonts_.emplace(key, created);
  return created;
}

HBRUSH Win32Dialog::BrushFor(Color color) {
  if (auto found = brushes_.find(color); found != brushes_.end()) return found->second;
  HBRUSH brush = CreateSolidBrush(color & 0xFFFFFF);
  brushes_.emplace(color, brush);
  return brush;
}

tNativeItem* Win32Dialog::ItemOf(HWND window) {
  for (auto& item : natives_) {
    if (item->window == window) return item.get();
  }
  return nullptr;
}

WindowClient* Win32Dialog::ButtonWhere(bool (*matches)(const tNativeStyle&)) {
  for (auto& item : natives_) {
    if (item->client->NativeKind() == NativeControl::kPushButton &&
        matches(item->client->NativeStyle())) {
      return item->client;
    }
  }
  return nullptr;
}

void Win32Dialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id == IDOK || id == IDCANCEL) {
    WindowClient* button =
        ButtonWhere(id == IDOK ? +[](const tNativeStyle& s) { return s.defaultButton; }
                               : +[](const tNativeStyle& s) { return s.cancelButton; });
    if (button != nullptr) {
      button->Clicked();
    } else if (id == IDCANCEL) {
      form_.SetModalResult(kModalCancel);
    }
    return;
  }
  tNativeItem* item = ItemOf(reinterpret_cast<HWND>(lParam));
  if (item == nullptr || syncing_) return;
  switch (item->client->NativeKind()) {
    case NativeControl::kEdit:
      if (code == EN_CHANGE) item->client->TextEdited(WindowTextOf(item->window));
      break;
    case NativeControl::kComboBox:
      if (code == CBN_EDITCHANGE) item->client->TextEdited(WindowTextOf(item->window));
      if (code == CBN_SELCHANGE) {
        item->client->ItemChosen(static_cast<int>(SendMessageA(item->window, CB_GETCURSEL, 0, 0)));
      }
      break;
    case NativeControl::kPushButton:
      if (code == BN_CLICKED) item->client->Clicked();
      break;
    default:
      break;
  }
}

LRESULT CALLBACK Win32Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Dialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr || self->window_ != window)
    return DefWindowProcA(window, message, wParam, lParam);
  try {
    return self->Handle(message, wParam, lParam);
  } catch (...) {  // nothing may unwind through the system: the dialog closes and rethrows
    self->error_ = std::current_exception();
    return 0;
  }
}

LRESULT Win32Dialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  WindowClient& client = form_.FormClient();
  switch (message) {
    case DM_GETDEFID:
      return ButtonWhere(+[](const tNativeStyle& s) { return s.defaultButton; }) != nullptr
                 ? MAKELRESULT(IDOK, DC_HASDEFID)
                 : 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) BringWindowToTop(window_);
      break;
    case WM_CLOSE:
      form_.SetModalResult(kModalCancel);
      return 0;
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintWindow(window_, client);
      return 0;
    case WM_MOUSEMOVE:
      client.MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (tNativeItem* item = ItemOf(reinterpret_cast<HWND>(lParam));
          item != nullptr && item->client->NativeKind() == NativeControl::kMemo) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, item->client->WindowTextColor() & 0xFFFFFF);
        SetBkColor(dc, item->client->WindowBackground() & 0xFFFFFF);
        return reinterpret_cast<LRESULT>(BrushFor(item->client->WindowBackground()));
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

void Win32Dialog::Close() {
  if (ownerDisabled_) {
    EnableWindow(owner_, TRUE);  // before the dialog goes, so the owner gets the activation back
    ownerDisabled_ = false;
  }
  for (auto& item : natives_) item->client->AttachSurface(nullptr);
  painted_.clear();
  if (window_ != nullptr) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    RemovePropA(window_, kControlNameProperty);
    for (auto& item : natives_) RemovePropA(item->window, kControlNameProperty);
    DestroyWindow(window_);
    window_ = nullptr;
  }
  natives_.clear();
  surfaces_.clear();
  for (auto& [key, font] : fonts_) DeleteObject(font);
  fonts_.clear();
  for (auto& [color, brush] : brushes_) DeleteObject(brush);
  brushes_.clear();
}

}  // namespace

void* ActiveWindow() { return GetActiveWindow(); }

int RunModalDialog(DialogClient& form, void* owner) {
  form.SetModalResult(0);
  Win32Dialog dialog(form, static_cast<HWND>(owner));
  return dialog.Run();
}

bool ShellOpen(const std::string& target) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_HIDE));
  return result > 32;
}

}  // namespace dux::platform
