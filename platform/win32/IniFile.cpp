#include "platform/IniFile.h"

#include <windows.h>

#include <vector>

namespace dux::platform {

std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view defaultValue) {
  const std::string sectionText(section), keyText(key), defaultText(defaultValue);
  std::vector<char> buffer(4096);
  const DWORD length =
      GetPrivateProfileStringA(sectionText.c_str(), keyText.c_str(), defaultText.c_str(),
                               buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
  return std::string(buffer.data(), length);
}

}  // namespace dux::platform
