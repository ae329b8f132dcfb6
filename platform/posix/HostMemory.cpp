#include "platform/HostMemory.h"

#include <cstdlib>

namespace dux::platform {

// Stand-in for fixed global memory: the C heap is shared by every module of the process, so a
// block allocated by the plug-in can be freed by the host and the other way round.
char* AllocHostBlock(std::size_t size) noexcept {
  return static_cast<char*>(std::malloc(size == 0 ? 1 : size));
}

void FreeHostBlock(char* block) noexcept { std::free(block); }

}  // namespace dux::platform
