#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/bytes/ByteStream.h"
#include "platform/Files.h"

namespace dux {

// One APPn or COM segment of the run that follows SOI. Offsets are 0-based file offsets.
struct tLeadingSegment {
  std::int64_t start = 0;         // first byte (a 0xFF, fill bytes included)
  std::int64_t end = 0;           // one past the last byte
  std::uint8_t marker = 0;        // 0xE0..0xEF or 0xFE
  std::int64_t markerOffset = 0;  // offset of the marker byte
};

// The run of whole APPn and COM segments right after SOI in `jpeg`, in file order, as a decoder
// reads them (stray bytes end the run). `tailStart` receives the offset of what follows the run.
std::vector<tLeadingSegment> FindLeadingSegments(std::string_view jpeg,
                                                 std::int64_t* tailStart = nullptr);

// A JPEG file with the pixel size from its frame header, open for a rewrite. What a rewrite
// needs of it is read when it is needed: the positions of its segments are known, their bytes
// are not held, so that a rewrite holds the segments it changes and no more.
class JpegImage {
 public:
  // A rewrite takes on at most this many APPn segments of one kind (APP2, say), or COM
  // segments, in front of the image data: 4 MB of one kind, where an ICC profile or a Photoshop
  // block needs far less.
  static constexpr int kMaxSegmentsOfOneKind = 64;

  // Opens `fileName` (a regular file) and walks it up to its first SOS header. Throws
  // FormatError naming the file when it cannot be read, does not start with SOI, holds more
  // segments of one kind than kMaxSegmentsOfOneKind in front of the image data, or has no
  // readable frame header. Nothing past the segments' heads is read.
  static JpegImage Load(const std::string& fileName);
  // The same for an open file; `name` is used in messages.
  static JpegImage Open(std::unique_ptr<platform::InputFile> file, const std::string& name);
  // The same for a whole file in memory.
  static JpegImage FromBytes(std::string bytes, const std::string& name);

  JpegImage(JpegImage&&) noexcept;
  JpegImage& operator=(JpegImage&&) noexcept;
  ~JpegImage();

  // The bytes from `start` to `end` (0-based, `end` excluded). Throws FormatError when they are
  // not all there any more (the file got shorter) or the file is closed.
  std::string ReadRange(std::int64_t start, std::int64_t end) const;
  // Reads up to `size` bytes at `offset` into `buffer`; fewer only at the end of the file.
  // Throws FormatError as ReadRange does.
  std::size_t ReadAt(std::int64_t offset, char* buffer, std::size_t size) const;
  // A stream over the file from its start, for a scan; valid while this image is open.
  std::unique_ptr<ByteStream> Stream() const;
  // Closes the file; reads fail after it. A rewrite closes its source before the commit, which
  // may replace it.
  void Close() { file_.reset(); }

  // The file name given to Load (or the name given to Open or FromBytes).
  const std::string& Name() const { return name_; }
  // The file's size when it was opened.
  std::int64_t Size() const { return fileSize_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // The APPn and COM segments right after SOI, in file order, and the offset of the first
  // segment that is neither (the rest of the file, copied byte for byte on a rewrite).
  const std::vector<tLeadingSegment>& LeadingSegments() const { return leading_; }
  std::int64_t TailStart() const { return tailStart_; }
  // Where the image data starts: the 0xFF of the first SOS marker; Size() when there is none.
  std::int64_t ImageDataStart() const { return imageData_; }

 private:
  JpegImage();

  std::unique_ptr<platform::InputFile> file_;  // open until Close
  std::int64_t fileSize_ = 0;
  std::string name_;
  int width_ = 0, height_ = 0;
  std::vector<tLeadingSegment> leading_;
  std::int64_t tailStart_ = 2;
  std::int64_t imageData_ = 0;
};

// Whether two images hold the same image data (from their first SOS marker to their end): the
// same length and the same bytes. Reads both through.
bool SameImageData(const JpegImage& one, const JpegImage& other);

}  // namespace dux
