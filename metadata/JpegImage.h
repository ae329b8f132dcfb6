#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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
std::vector<tLeadingSegment> FindLeadingSegments(std::string_view jpeg, std::int64_t* tailStart = nullptr);

// A JPEG file with the pixel size from its frame header. Its segments up to the start of scan
// are held in memory; the rest (the compressed image data, never decoded) stays in the open
// file until CopyRemainder streams it, so a rewrite needs memory for the metadata only.
class JpegImage {
 public:
  // Opens `fileName` and reads it up to its first SOS header. Throws FormatError naming the
  // file when it cannot be read or does not start with a readable JPEG frame header.
  static JpegImage Load(const std::string& fileName);
  // The same for a whole file already in memory; `name` is used in messages.
  static JpegImage FromBytes(std::string bytes, const std::string& name);

  JpegImage(JpegImage&&) noexcept;
  JpegImage& operator=(JpegImage&&) noexcept;
  ~JpegImage();

  // The bytes held: the file from its start through the first SOS header (all of it when it
  // has none, or when it came from memory).
  const std::string& Bytes() const { return bytes_; }
  // Hands the file's bytes after Bytes() to `sink` in chunks, then closes the file. Throws
  // FormatError when the file cannot be read or has changed in length since Load. `written`:
  // how much the sink's file holds before them; the first chunk ends where that file's pages
  // do, so that every later one fills whole pages.
  void CopyRemainder(const std::function<void(std::string_view)>& sink, std::int64_t written = 0);
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
  JpegImage();

  std::string bytes_;
  std::unique_ptr<platform::InputFile> file_;  // open from Load until CopyRemainder
  std::int64_t fileSize_ = 0;
  std::string name_;
  int width_ = 0, height_ = 0;
  std::vector<tLeadingSegment> leading_;
  std::int64_t tailStart_ = 2;
};

}  // namespace dux
