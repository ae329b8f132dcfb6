#pragma once

#include <cstdint>
#include <string>

#include "metadata/ByteReader.h"

namespace dux {

// Byte-order aware reading of a byte string: the base of TimgData and TImageInfo. Positions are
// 1-based; a value that does not lie wholly inside segmentData reads as 0.
class tEndInd {
 public:
  virtual ~tEndInd() = default;

  void SetSegmentData(std::string bytes) { segmentData = std::move(bytes); }

  // The 16-bit value at pos and pos + 1, the first byte high when bigEndian.
  std::uint16_t ReadWord(std::int64_t pos) const noexcept { return Word(segmentData, pos, bigEndian); }
  // The bytes pos .. pos + 3 in the same order, as a signed 32-bit number.
  std::int32_t ReadLong(std::int64_t pos) const noexcept {
    return static_cast<std::int32_t>(Long(segmentData, pos, bigEndian));
  }
  // Writes value as four bytes at pos .. pos + 3 of `bytes` in this object's byte order; does
  // nothing unless all four lie inside `bytes`.
  void WriteLong(std::string& bytes, std::int64_t pos, std::int32_t value) const noexcept;

  bool bigEndian = false;   // true for "MM" data
  std::string segmentData;  // the bytes the readers index
};

}  // namespace dux
