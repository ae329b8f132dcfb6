#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/Canvas.h"

namespace dux::platform {

// Decodes a device-independent bitmap as a bitmap resource stores it (BITMAPINFOHEADER and
// pixels, no file header): uncompressed 24 or 32 bits per pixel, bottom-up or top-down.
// Nothing when the data is not such a picture or is cut short.
std::optional<tBitmap> DecodeDib(std::span<const std::uint8_t> dib);

// The same for a whole .bmp file (with its 14-byte file header).
std::optional<tBitmap> DecodeBmpFile(std::span<const std::uint8_t> file);

}  // namespace dux::platform
