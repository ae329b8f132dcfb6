#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace dux::editors {

// The host's interface requests the dialogs make.
inline constexpr std::int32_t kRequestSelectObject = 8;
inline constexpr std::int32_t kRequestInsertVariable = 14;
inline constexpr std::int32_t kRequestChooseFile = 16;

// Whether the host registered its interface-request function.
bool HostRequestsAvailable();

// Hands `text` to the host's interface request `code` in a fresh host string; the host's
// answer when it returns true, nothing when it refuses or no request function is registered.
// The host string is freed in every case.
std::optional<std::string> RequestFromHost(std::int32_t code, const std::string& text);

}  // namespace dux::editors
