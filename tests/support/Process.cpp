#include "tests/support/Process.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace dux::test {

std::string RunProgram(const std::string& command, int& status) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    status = -1;
    return output;
  }
  std::array<char, 65536> buffer{};
  for (;;) {
    const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe);
    if (got == 0) break;
    output.append(buffer.data(), got);
  }
  const int raw = pclose(pipe);
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return output;
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

}  // namespace dux::test
