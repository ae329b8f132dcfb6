#pragma once

#include <array>
#include <string>
#include <string_view>

namespace dux {

// The commands a script processor can run (1, 2, 3, 5, 6) with their numbers and parameter
// counts: in list form when `format` is "LISP" in any letter case, else one line each.
std::string CommandList(std::string_view format);

// Runs the command whose number is `numberText` with up to five texts. Numbers without a body
// give false; a text that is not a whole number throws the runtime's invalid-integer error.
bool ExecuteScriptCommand(std::string_view numberText, const std::array<std::string, 5>& args);

}  // namespace dux
