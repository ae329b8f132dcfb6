#pragma once

#include <cstdint>
#include <string>

// The writing side of ByteReader.h: values appended to bytes in big-endian order, as JPEG
// segments, IIM datasets and Photoshop resources store them. Each writes the low bits of its
// value that its width holds.
namespace dux {

inline void AppendWord(std::string& out, std::uint32_t value) {
  out += static_cast<char>((value >> 8) & 0xFF);
  out += static_cast<char>(value & 0xFF);
}

inline void AppendLong(std::string& out, std::uint32_t value) {
  AppendWord(out, value >> 16);
  AppendWord(out, value);
}

// A value of `width` bytes (1 to 4) written over bytes[at .. at + width - 1] (0-based) in either
// byte order; the caller has checked that they are there.
inline void PutValue(std::string& bytes, std::size_t at, int width, std::uint32_t value,
                     bool bigEndian) {
  for (int i = 0; i < width; ++i) {
    const int shift = bigEndian ? 8 * (width - 1 - i) : 8 * i;
    bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> shift) & 0xFF);
  }
}

}  // namespace dux
