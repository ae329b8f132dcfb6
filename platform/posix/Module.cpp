#include "platform/Module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <system_error>

namespace dux::platform {

std::string ModuleFileName() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ModuleFileName), &info) == 0 || info.dli_fname == nullptr) {
    return {};
  }
  std::error_code error;
  std::string name = std::filesystem::absolute(info.dli_fname, error).string();
  if (error) name = info.dli_fname;
  if (name.size() > 255) name.resize(255);
  return name;
}

std::string ExecutableFileName() {
  std::array<char, 4096> buffer{};
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  return length > 0 ? std::string(buffer.data(), static_cast<std::size_t>(length)) : std::string();
}

}  // namespace dux::platform
