#include "platform/Files.h"

#include <vector>

#include "platform/FormatError.h"

// What both systems' files share: reading a whole file through OpenInputFile.
namespace dux::platform {

std::string ReadWholeFile(const std::string& path) {
  const auto file = OpenInputFile(path);
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(file->Size()));
  std::vector<char> chunk(1 << 16);
  try {
    for (;;) {
      const std::size_t got = file->Read(chunk.data(), chunk.size());
      if (got == 0) break;
      bytes.append(chunk.data(), got);
    }
  } catch (const FileError& e) {
    throw FileError("Cannot read '" + path + "': " + e.what(), e.Reason());
  }
  return bytes;
}

}  // namespace dux::platform
