#include "platform/Library.h"

#include <dlfcn.h>

namespace dux::platform {
namespace {

class PosixLibrary final : public LoadedLibrary {
 public:
  explicit PosixLibrary(void* handle) : handle_(handle) {}
  ~PosixLibrary() override { dlclose(handle_); }
  PosixLibrary(const PosixLibrary&) = delete;
  PosixLibrary& operator=(const PosixLibrary&) = delete;
  void* Symbol(const char* name) const override { return dlsym(handle_, name); }

 private:
  void* handle_;
};

}  // namespace

std::unique_ptr<LoadedLibrary> LoadLibraryFile(const std::string& path, std::string& error) {
  // A name without a slash would make dlopen search the library path, not the folder.
  const std::string name = path.find('/') == std::string::npos ? "./" + path : path;
  void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    error = reason != nullptr ? reason : "cannot load " + path;
    return nullptr;
  }
  return std::make_unique<PosixLibrary>(handle);
}

}  // namespace dux::platform
