#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "metadata/bytes/ByteReader.h"

namespace dux {

// Byte-order aware reading of a byte string: the base of TimgData and TImageInfo. Positions are
// 1-based; a value that does not lie wholly inside segmentData reads as 0.
class tEndInd {
 public:
  tEndInd() = default;
  virtual ~tEndInd() = default;
  tEndInd(const tEndInd&) = delete;
  tEndInd& operator=(const tEndInd&) = delete;

  // Keeps a copy of `bytes` and reads from it.
  void SetSegmentData(std::string bytes) {
    owned_ = std::move(bytes);
    segmentData = owned_;
  }
  // Reads from bytes the caller keeps alive, without copying them.
  void ViewSegmentData(std::string_view bytes) { segmentData = bytes; }

  // The 16-bit value at pos and pos + 1, the first byte high when bigEndian.
  std::uint16_t ReadWord(std::int64_t pos) const noexcept {
    return Word(segmentData, pos, bigEndian);
  }
  // The bytes pos .. pos + 3 in the same order, as a signed 32-bit number.
  std::int32_t ReadLong(std::int64_t pos) const noexcept {
    return static_cast<std::int32_t>(Long(segmentData, pos, bigEndian));
  }

  bool bigEndian = false;        // true for "MM" data
  std::string_view segmentData;  // the bytes the readers index

 private:
  std::string owned_;
};

}  // namespace dux
