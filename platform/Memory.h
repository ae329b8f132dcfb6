#pragma once

#include <cstdint>

namespace dux::platform {

// The most memory this process has held at once so far, in bytes (its peak resident set).
std::int64_t PeakMemoryBytes();

}  // namespace dux::platform
