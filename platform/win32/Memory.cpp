#include "platform/Memory.h"

#include <windows.h>
#include <psapi.h>

namespace dux::platform {

std::int64_t PeakMemoryBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return static_cast<std::int64_t>(counters.PeakWorkingSetSize);
}

}  // namespace dux::platform
