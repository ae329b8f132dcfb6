#include "tests/support/IoCounts.h"

#include <fstream>
#include <string>

namespace dux::test {

long long ProcessIoCount(std::string_view key) {
#ifdef _WIN32
  // Under Wine the path would name the Linux process's counts, with Wine's own reads in them.
  (void)key;
  return -1;
#else
  std::ifstream io("/proc/self/io");
  std::string name;
  long long value = 0;
  while (io >> name >> value) {
    if (name == key) return value;
  }
  return -1;
#endif
}

}  // namespace dux::test
