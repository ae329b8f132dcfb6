#pragma once

#include <cstddef>

namespace dux::platform {

// Allocates a fixed memory block of `size` bytes of the kind the host and the plug-in hand each
// other (GlobalAlloc with GMEM_FIXED on Windows). Returns null when no memory is left.
char* AllocHostBlock(std::size_t size) noexcept;

// Frees a block from AllocHostBlock, whichever side allocated it; null is ignored.
void FreeHostBlock(char* block) noexcept;

}  // namespace dux::platform
