#include "platform/posix/SystemPath.h"

#include "platform/Cp1252Table.h"

namespace dux::platform {

std::string SystemPath(std::string_view hostName) {
  std::string path;
  path.reserve(hostName.size());
  for (const char byte : hostName) {
    const auto b = static_cast<unsigned char>(byte);
    const char32_t c = b >= 0x80 && b < 0xA0 ? kCp1252HighControls[b - 0x80] : b;
    if (c < 0x80) {
      path += static_cast<char>(c);
    } else if (c < 0x800) {
      path += static_cast<char>(0xC0 | (c >> 6));
      path += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      path += static_cast<char>(0xE0 | (c >> 12));
      path += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      path += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return path;
}

}  // namespace dux::platform
