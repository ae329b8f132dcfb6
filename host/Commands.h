#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dux {

// Runs the body of command `number` with its parameter texts (missing ones count as empty).
// Numbers without a body give false. Errors of the bodies propagate to the caller.
bool RunCommand(std::int32_t number, const std::vector<std::string>& params);

}  // namespace dux
