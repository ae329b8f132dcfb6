#pragma once

#include <cstdint>
#include <string>

#include "host/HostApi.h"

namespace dux {

// Keeps the callbacks, reads the INI overrides and announces the two groups and six commands.
void RegisterPlugIn(HostAddActionProc addAction, void* second, HostGetVariableProc getVariable,
                    HostSetVariableProc setVariable);

// Sets the title, author and hint host strings, in that order.
void InitPlugIn(void* value, char** title, char** author, char** hint);

// Code 1 stores the library's full file name in "[*/*duxIPTCDllName]"; other codes are ignored.
void HandleMessage(std::int32_t code);

// The INI file beside the library: its file name with the extension replaced by ".ini".
std::string IniFileName();

}  // namespace dux
