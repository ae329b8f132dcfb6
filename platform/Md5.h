#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace dux::platform {

// The MD5 digest of `bytes`, from the system's own implementation (the Windows cryptography
// API, libmd elsewhere). Throws FormatError when the system cannot compute it.
std::array<std::uint8_t, 16> Md5(std::string_view bytes);

}  // namespace dux::platform
