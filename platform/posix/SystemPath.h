#pragma once

#include <string>
#include <string_view>

namespace dux::platform {

// The name the system opens for a name the host gave: the host hands names over in code page
// 1252, as Windows takes an ANSI name, and this system names its files in UTF-8.
std::string SystemPath(std::string_view hostName);

}  // namespace dux::platform
