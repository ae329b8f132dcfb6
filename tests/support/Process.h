#pragma once

#include <string>

namespace dux::test {

// Runs a shell command and returns its standard output; `status` receives its exit status.
// Native builds only: the independent readers (ExifTool, djpeg) are Linux programs.
std::string RunProgram(const std::string& command, int& status);

// Quotes a path for the shell.
std::string ShellQuote(const std::string& text);

}  // namespace dux::test
