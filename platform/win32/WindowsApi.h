#pragma once

// <windows.h> for the platform layer, without its DrawText macro, which would rename the
// canvas's DrawText wherever both are seen.
#include <windows.h>

#undef DrawText

namespace dux::platform {

// The module that holds this code: the plug-in, or the program it is linked into; null when
// the system cannot tell.
HMODULE ThisModule();

}  // namespace dux::platform
