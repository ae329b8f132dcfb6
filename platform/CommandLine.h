#pragma once

#include <string>
#include <vector>

namespace dux::platform {

// The program's arguments in UTF-8, the program name first.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Makes standard output binary, so UTF-8 bytes and line ends pass unchanged.
void SetBinaryStandardOutput();

}  // namespace dux::platform
