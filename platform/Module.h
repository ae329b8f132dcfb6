#pragma once

#include <string>

namespace dux::platform {

// Full file name of the loaded library (or program) that contains this code, as the system
// reports it for the module, cut to 255 characters. Empty when the system cannot tell.
std::string ModuleFileName();

// Full file name of the running program.
std::string ExecutableFileName();

}  // namespace dux::platform
