#pragma once

#include <cstdint>

#include "platform/Export.h"

// The binary interface between the authoring host and its plug-ins. Texts are NUL-terminated
// ANSI (code page 1252); `int` is 32-bit and the host's boolean is one byte.
namespace dux {

using HostBool = std::uint8_t;

// An action's parameters: the host's array of host strings, entry 0 = first parameter.
using ActionParameters = char**;

// Announces a group header (number 0) or a command (1..6). `kinds` travels as its address plus
// the index of its last element.
using HostAddActionProc = void(DUX_CALL*)(std::int32_t number, const char* name,
                                          const char* description, const std::uint8_t* kinds,
                                          std::int32_t kindsHigh, std::uint8_t count);
// Stores a new host string in `*value`, which the plug-in then owns and frees.
using HostGetVariableProc = void(DUX_CALL*)(const char* name, char** value);
// The host copies both texts.
using HostSetVariableProc = void(DUX_CALL*)(const char* name, const char* value);
// On true the host has replaced `*text` with its answer.
using HostInterfaceRequestProc = HostBool(DUX_CALL*)(std::int32_t code, char** text);

// Parameter kinds, one byte per declared parameter.
enum class ParamKind : std::uint8_t { None = 0, Text = 1, Number = 3, Variable = 6 };

}  // namespace dux
