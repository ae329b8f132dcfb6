#include "host/PlugInUtils.h"

#include <cstring>
#include <new>

#include "platform/HostMemory.h"

namespace dux {

void SetHostString(char*& ref, std::string_view text) {
  FreeHostString(ref);
  char* block = platform::AllocHostBlock(text.size() + 1);
  if (block == nullptr) throw std::bad_alloc();
  if (!text.empty()) std::memcpy(block, text.data(), text.size());
  block[text.size()] = '\0';
  ref = block;
}

void FreeHostString(char*& ref) noexcept {
  platform::FreeHostBlock(ref);
  ref = nullptr;
}

std::string HostStringText(const char* block) { return block == nullptr ? std::string() : block; }

}  // namespace dux
