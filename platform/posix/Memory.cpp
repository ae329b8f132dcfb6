#include "platform/Memory.h"

#include <sys/resource.h>

namespace dux::platform {

std::int64_t PeakMemoryBytes() {
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
  return static_cast<std::int64_t>(usage.ru_maxrss) * 1024;  // kilobytes on Linux
}

}  // namespace dux::platform
