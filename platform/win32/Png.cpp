#include "platform/MemoryCanvas.h"

namespace dux::platform {

// The Windows build carries no PNG encoder; its galleries are written with SaveBmp.
bool SavePng(const tBitmap&, const std::string&) { return false; }

}  // namespace dux::platform
