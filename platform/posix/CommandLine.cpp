#include "platform/CommandLine.h"

namespace dux::platform {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void SetBinaryStandardOutput() {}

}  // namespace dux::platform
