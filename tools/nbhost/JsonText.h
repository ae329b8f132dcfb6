#pragma once

#include <string>
#include <string_view>

namespace dux::tools {

// `text` (UTF-8) as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

}  // namespace dux::tools
