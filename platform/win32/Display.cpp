#include "platform/Display.h"

#include "platform/win32/WindowsApi.h"

#include "platform/Dib.h"

namespace dux::platform {
namespace {

using IsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);
using GetColorizationColorFn = HRESULT(WINAPI*)(DWORD*, BOOL*);

// "dwmapi.dll", loaded on Windows NT 6 and later and kept while the object lives.
class DwmComposition final : public DesktopComposition {
 public:
  DwmComposition() {
    if (!IsNt6OrLater()) return;
    library_ = LoadLibraryA("dwmapi.dll");
    if (library_ == nullptr) return;
    isEnabled_ = reinterpret_cast<IsCompositionEnabledFn>(
        reinterpret_cast<void*>(GetProcAddress(library_, "DwmIsCompositionEnabled")));
    getColor_ = reinterpret_cast<GetColorizationColorFn>(
        reinterpret_cast<void*>(GetProcAddress(library_, "DwmGetColorizationColor")));
  }
  ~DwmComposition() override {
    if (library_ != nullptr) FreeLibrary(library_);
  }
  DwmComposition(const DwmComposition&) = delete;
  DwmComposition& operator=(const DwmComposition&) = delete;

  std::optional<Color> ColorizationColor() const override {
    if (isEnabled_ == nullptr || getColor_ == nullptr) return std::nullopt;
    BOOL enabled = FALSE;
    if (FAILED(isEnabled_(&enabled)) || !enabled) return std::nullopt;
    DWORD argb = 0;
    BOOL opaque = FALSE;
    if (FAILED(getColor_(&argb, &opaque))) return std::nullopt;
    // 0xAARRGGBB to $00BBGGRR.
    return Rgb(static_cast<int>(argb >> 16 & 0xFF), static_cast<int>(argb >> 8 & 0xFF),
               static_cast<int>(argb & 0xFF));
  }

 private:
  static bool IsNt6OrLater() {
    const DWORD version = GetVersion();
    return (version & 0x80000000u) == 0 && LOBYTE(LOWORD(version)) >= 6;
  }

  HMODULE library_ = nullptr;
  IsCompositionEnabledFn isEnabled_ = nullptr;
  GetColorizationColorFn getColor_ = nullptr;
};

}  // namespace

Color SystemColor(int index) {
  if (index < 0 || index > 30) return 0;
  return static_cast<Color>(GetSysColor(index)) & 0xFFFFFF;
}

int ScreenBitsPerPixel() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 32;
  const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  ReleaseDC(nullptr, screen);
  return bits;
}

bool ThemesActive() {
  HMODULE uxtheme = GetModuleHandleA("uxtheme.dll");
  if (uxtheme == nullptr) return false;
  using IsThemeActiveFn = BOOL(WINAPI*)();
  auto isActive = reinterpret_cast<IsThemeActiveFn>(
      reinterpret_cast<void*>(GetProcAddress(uxtheme, "IsThemeActive")));
  return isActive != nullptr && isActive();
}

std::unique_ptr<DesktopComposition> OpenDesktopComposition() {
  return std::make_unique<DwmComposition>();
}

std::optional<tBitmap> LoadBitmapResource(std::string_view name) {
  const std::string resourceName(name);
  HMODULE module = ThisModule();
  HRSRC resource = FindResourceA(module, resourceName.c_str(), MAKEINTRESOURCEA(2));  // RT_BITMAP
  if (resource == nullptr) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return std::nullopt;
  return DecodeDib({static_cast<const std::uint8_t*>(bytes), SizeofResource(module, resource)});
}

void SetStandInDisplay(int, std::optional<Color>, Color) {}
void ResetStandInDisplay() {}

}  // namespace dux::platform
