#pragma once

#include <cstdint>
#include <string_view>

// Every read of segment or TIFF bytes goes through here. Positions are 1-based and held as
// int64, so a uint32 offset plus any base fits without wrapping. A 16- or 32-bit value that does
// not fit entirely inside the data reads as 0; Bytes returns the part that exists.
namespace dux {

// True when the n bytes at pos .. pos+n-1 all lie inside data.
constexpr bool HasBytes(std::string_view data, std::int64_t pos, std::int64_t n) noexcept {
  const auto size = static_cast<std::int64_t>(data.size());
  return pos >= 1 && n >= 0 && n <= size && pos - 1 <= size - n;  // subtract on the trusted side
}

// The byte at pos; 0 outside the data.
constexpr std::uint8_t Byte(std::string_view data, std::int64_t pos) noexcept {
  return HasBytes(data, pos, 1) ? static_cast<std::uint8_t>(data[static_cast<std::size_t>(pos - 1)])
                                : 0;
}

// 16-bit value at pos in the given byte order; 0 when the two bytes are not both there.
constexpr std::uint16_t Word(std::string_view data, std::int64_t pos, bool bigEndian) noexcept {
  if (!HasBytes(data, pos, 2)) return 0;
  const auto at =
      static_cast<std::size_t>(pos - 1);  // checked once: the bytes are indexed directly
  const unsigned first = static_cast<std::uint8_t>(data[at]);
  const unsigned second = static_cast<std::uint8_t>(data[at + 1]);
  return static_cast<std::uint16_t>(bigEndian ? first << 8 | second : second << 8 | first);
}

// 32-bit value at pos in the given byte order; 0 when the four bytes are not all there.
constexpr std::uint32_t Long(std::string_view data, std::int64_t pos, bool bigEndian) noexcept {
  if (!HasBytes(data, pos, 4)) return 0;
  const auto at = static_cast<std::size_t>(pos - 1);
  const auto b = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(data[at + i]));
  };
  return bigEndian ? b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3)
                   : b(3) << 24 | b(2) << 16 | b(1) << 8 | b(0);
}

// Up to n bytes from pos: shortened at the end of the data, empty when pos lies outside it.
constexpr std::string_view Bytes(std::string_view data, std::int64_t pos, std::int64_t n) noexcept {
  const auto size = static_cast<std::int64_t>(data.size());
  if (pos < 1 || pos > size || n <= 0) return {};
  const std::int64_t available = size - (pos - 1);
  return data.substr(static_cast<std::size_t>(pos - 1),
                     static_cast<std::size_t>(n < available ? n : available));
}

// 1-based position of the first `needle` at or after `from`; 0 when there is none.
constexpr std::int64_t FindBytes(std::string_view data, std::string_view needle,
                                 std::int64_t from = 1) noexcept {
  if (from < 1) from = 1;
  if (from > static_cast<std::int64_t>(data.size())) return 0;
  const auto found = data.find(needle, static_cast<std::size_t>(from - 1));
  return found == std::string_view::npos ? 0 : static_cast<std::int64_t>(found) + 1;
}

}  // namespace dux
