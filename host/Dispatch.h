#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/HostApi.h"

namespace dux {

// The first `count` parameters as texts; a null array or entry counts as the empty text.
std::vector<std::string> ParameterTexts(ActionParameters params, int count);

// Runs command `number` with its parameters and returns the body's result. Numbers without a
// body (0, 4 and anything outside 1..6) give false. Errors of the bodies propagate.
bool ExecuteCommand(std::int32_t number, ActionParameters params);

}  // namespace dux
