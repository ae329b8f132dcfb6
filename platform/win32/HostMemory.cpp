#include "platform/HostMemory.h"

#include <windows.h>

namespace dux::platform {

char* AllocHostBlock(std::size_t size) noexcept {
  return static_cast<char*>(GlobalAlloc(GMEM_FIXED, size == 0 ? 1 : size));
}

void FreeHostBlock(char* block) noexcept {
  if (block != nullptr) GlobalFree(block);
}

}  // namespace dux::platform
