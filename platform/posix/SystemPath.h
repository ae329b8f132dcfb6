#pragma once

#include <string>
#include <string_view>

#include "platform/CodePage1252.h"

namespace dux::platform {

// The name the system opens for a name the host gave: the host hands names over in code page
// 1252, as Windows takes an ANSI name, and this system names its files in UTF-8.
inline std::string SystemPath(std::string_view hostName) { return Cp1252ToUtf8(hostName); }

}  // namespace dux::platform
