#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dux {

// One APPn or COM segment of the run that follows SOI. Offsets are 0-based file offsets.
struct tLeadingSegment {
  std::int64_t start = 0;         // first byte (a 0xFF, fill bytes included)
  std::int64_t end = 0;           // one past the last byte
  std::uint8_t marker = 0;        // 0xE0..0xEF or 0xFE
  std::int64_t markerOffset = 0;  // offset of the marker byte
};

// A JPEG file loaded whole into memory, with the pixel size from its frame header. The
// compressed image data is never decoded.
class JpegImage {
 public:
  // Loads `fileName`. Throws FormatError naming the file when it cannot be read or does not
  // start with a readable JPEG frame header.
  static JpegImage Load(const std::string& fileName);
  // The same for bytes already in memory; `name` is used in messages.
  static JpegImage FromBytes(std::string bytes, const std::string& name);

  const std::string& Bytes() const { return bytes_; }
  // The file name given to Load (or the name given to FromBytes).
  const std::string& Name() const { return name_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // The APPn and COM segments right after SOI, in file order, and the offset of the first
  // segment that is neither (the rest of the file, copied byte for byte on a rewrite).
  const std::vector<tLeadingSegment>& LeadingSegments() const { return leading_; }
  std::int64_t TailStart() const { return tailStart_; }
  // The first APP13 of that run as its length field and payload; empty when there is none.
  std::string_view FirstApp13() const;

 private:
  JpegImage() = default;
  void FindLeadingSegments();

  std::string bytes_;
  std::string name_;
  int width_ = 0, height_ = 0;
  std::vector<tLeadingSegment> leading_;
  std::int64_t tailStart_ = 2;
};

}  // namespace dux
