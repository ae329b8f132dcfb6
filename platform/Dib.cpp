#include "platform/Dib.h"

#include <cstdlib>

namespace dux::platform {
namespace {

constexpr std::int64_t kMaxSide = 4096;

std::uint32_t Read32(std::span<const std::uint8_t> data, std::size_t at) {
  return static_cast<std::uint32_t>(data[at]) | static_cast<std::uint32_t>(data[at + 1]) << 8 |
         static_cast<std::uint32_t>(data[at + 2]) << 16 |
         static_cast<std::uint32_t>(data[at + 3]) << 24;
}

std::uint16_t Read16(std::span<const std::uint8_t> data, std::size_t at) {
  return static_cast<std::uint16_t>(data[at] | data[at + 1] << 8);
}

}  // namespace

std::optional<tBitmap> DecodeDib(std::span<const std::uint8_t> dib) {
  if (dib.size() < 40) return std::nullopt;
  const std::uint32_t headerSize = Read32(dib, 0);
  const auto width = static_cast<std::int64_t>(static_cast<std::int32_t>(Read32(dib, 4)));
  const auto rawHeight = static_cast<std::int64_t>(static_cast<std::int32_t>(Read32(dib, 8)));
  const std::uint16_t bits = Read16(dib, 14);
  const std::uint32_t compression = Read32(dib, 16);
  const std::int64_t height = std::llabs(rawHeight);
  if (headerSize < 40 || headerSize > dib.size() || (bits != 24 && bits != 32) ||
      compression != 0 || width <= 0 || width > kMaxSide || height <= 0 || height > kMaxSide) {
    return std::nullopt;
  }
  const std::int64_t bytesPerPixel = bits / 8;
  const std::int64_t rowBytes = (width * bytesPerPixel + 3) / 4 * 4;
  const auto start = static_cast<std::int64_t>(headerSize);
  if (rowBytes * height > static_cast<std::int64_t>(dib.size()) - start) return std::nullopt;
  tBitmap image(static_cast<int>(width), static_cast<int>(height));
  for (std::int64_t y = 0; y < height; ++y) {
    const std::int64_t stored = rawHeight > 0 ? height - 1 - y : y;
    for (std::int64_t x = 0; x < width; ++x) {
      const auto at = static_cast<std::size_t>(start + stored * rowBytes + x * bytesPerPixel);
      image.Set(static_cast<int>(x), static_cast<int>(y), Rgb(dib[at + 2], dib[at + 1], dib[at]));
    }
  }
  return image;
}

std::optional<tBitmap> DecodeBmpFile(std::span<const std::uint8_t> file) {
  if (file.size() < 14 || file[0] != 'B' || file[1] != 'M') return std::nullopt;
  return DecodeDib(file.subspan(14));
}

}  // namespace dux::platform
