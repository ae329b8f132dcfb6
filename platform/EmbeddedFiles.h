#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace dux::platform {

// Files built into a native build in place of the Windows library's resources.
struct tEmbeddedFile {
  std::string_view name;
  std::span<const std::uint8_t> bytes;
};
const std::vector<tEmbeddedFile>& EmbeddedFiles();

}  // namespace dux::platform
