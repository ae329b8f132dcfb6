#pragma once

#include <string>
#include <string_view>

namespace dux::platform {

// Value of `key` in `[section]` of the INI file `path`. Section and key names ignore letter
// case, blanks around names and values are dropped, and a value enclosed in matching single or
// double quotes loses them. A missing file, section or key gives `defaultValue`.
std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view defaultValue);

}  // namespace dux::platform
