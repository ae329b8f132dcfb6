#include "platform/Library.h"

#include <windows.h>

#include <vector>

namespace dux::platform {
namespace {

class Win32Library final : public LoadedLibrary {
 public:
  explicit Win32Library(HMODULE module) : module_(module) {}
  ~Win32Library() override { FreeLibrary(module_); }
  Win32Library(const Win32Library&) = delete;
  Win32Library& operator=(const Win32Library&) = delete;
  void* Symbol(const char* name) const override {
    return reinterpret_cast<void*>(GetProcAddress(module_, name));
  }

 private:
  HMODULE module_;
};

std::wstring Widen(const std::string& utf8) {
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

}  // namespace

std::unique_ptr<LoadedLibrary> LoadLibraryFile(const std::string& path, std::string& error) {
  HMODULE module = LoadLibraryW(Widen(path).c_str());
  if (module == nullptr) {
    error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return nullptr;
  }
  return std::make_unique<Win32Library>(module);
}

}  // namespace dux::platform
