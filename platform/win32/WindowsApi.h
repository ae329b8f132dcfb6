#pragma once

// <windows.h> for the platform layer, without its DrawText macro, which would rename the
// canvas's DrawText wherever both are seen.
#include <windows.h>

#undef DrawText
