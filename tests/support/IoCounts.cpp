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

long long ReadCallsOf(const std::function<void()>& work) {
  const long long first = ProcessIoCount("syscr:");
  if (first < 0) return -1;
  const long long counting = ProcessIoCount("syscr:") - first;  // those of one look
  const long long before = ProcessIoCount("syscr:");
  work();
  return ProcessIoCount("syscr:") - before - counting;
}

}  // namespace dux::test
