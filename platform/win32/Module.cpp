#include "platform/Module.h"

#include "platform/win32/WindowsApi.h"

#include <array>

namespace dux::platform {

HMODULE ThisModule() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&ThisModule), &module)) {
    return nullptr;
  }
  return module;
}

std::string ModuleFileName() {
  HMODULE module = ThisModule();
  if (module == nullptr) return {};
  std::array<char, 256> buffer{};
  const DWORD length = GetModuleFileNameA(module, buffer.data(), 255);
  return std::string(buffer.data(), length);
}

std::string ExecutableFileName() {
  std::array<char, MAX_PATH + 1> buffer{};
  const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), MAX_PATH);
  return std::string(buffer.data(), length);
}

}  // namespace dux::platform
