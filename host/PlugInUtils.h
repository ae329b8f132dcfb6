#pragma once

#include <string>
#include <string_view>

// Host strings: NUL-terminated texts in fixed global memory blocks, the form of every text that
// the host and the plug-in hand each other for keeping.
namespace dux {

// Frees any block `ref` holds, then stores a new block holding `text` and a NUL. Throws
// std::bad_alloc when no memory is left (then `ref` is null).
void SetHostString(char*& ref, std::string_view text);

// Frees any block `ref` holds and nulls it.
void FreeHostString(char*& ref) noexcept;

// The text of a host string; null counts as the empty text.
std::string HostStringText(const char* block);

}  // namespace dux
