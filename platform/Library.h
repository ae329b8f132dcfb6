#pragma once

#include <memory>
#include <string>

namespace dux::platform {

// A dynamic library loaded by a host program (dlopen / LoadLibrary).
class LoadedLibrary {
 public:
  virtual ~LoadedLibrary() = default;
  // Address of the exported name, or null.
  virtual void* Symbol(const char* name) const = 0;
};

// Loads the library `path` (UTF-8). On failure returns null and sets `error`.
std::unique_ptr<LoadedLibrary> LoadLibraryFile(const std::string& path, std::string& error);

}  // namespace dux::platform
