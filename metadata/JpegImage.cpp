#include "metadata/JpegImage.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

#include "platform/Files.h"
#include "platform/FormatError.h"

namespace dux {
namespace {

// libjpeg's default error handler ends the process; this one jumps back to the reader.
struct tJpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
  auto* errors = reinterpret_cast<tJpegErrors*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

// Reads the frame header. Only trivially destructible objects live in this frame, so the jump
// back from ErrorExit is safe. A file that ends after a complete frame header but before any
// scan (a metadata-only JPEG) still has a readable header (libjpeg then stops with "missing SOS").
bool ReadFrameHeader(const std::string& bytes, int& width, int& height, char* message) {
  jpeg_decompress_struct info{};
  tJpegErrors errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = ErrorExit;
  errors.manager.output_message = IgnoreMessage;
  if (setjmp(errors.jump) != 0) {
    const bool headerRead = errors.manager.msg_code == JERR_SOF_NO_SOS && info.image_width > 0 &&
                            info.image_height > 0;
    width = static_cast<int>(info.image_width);
    height = static_cast<int>(info.image_height);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
    jpeg_destroy_decompress(&info);
    return headerRead;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  width = static_cast<int>(info.image_width);
  height = static_cast<int>(info.image_height);
  jpeg_destroy_decompress(&info);
  return true;
}

bool IsAppOrComment(std::uint8_t marker) { return (marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE; }

}  // namespace

JpegImage JpegImage::Load(const std::string& fileName) {
  return FromBytes(platform::ReadWholeFile(fileName), fileName);
}

JpegImage JpegImage::FromBytes(std::string bytes, const std::string& name) {
  JpegImage image;
  image.bytes_ = std::move(bytes);
  image.name_ = name;
  char message[JMSG_LENGTH_MAX] = "";
  if (image.bytes_.size() < 4 || !ReadFrameHeader(image.bytes_, image.width_, image.height_, message)) {
    throw FormatError("Cannot read the JPEG header of '" + name + "': " +
                      (message[0] != '\0' ? message : "not a JPEG file"));
  }
  image.FindLeadingSegments();
  return image;
}

void JpegImage::FindLeadingSegments() {
  const auto size = static_cast<std::int64_t>(bytes_.size());
  const auto at = [this](std::int64_t offset) { return static_cast<std::uint8_t>(bytes_[static_cast<std::size_t>(offset)]); };
  std::int64_t pos = 2;
  while (pos < size && at(pos) == 0xFF) {
    std::int64_t m = pos + 1;
    while (m < size && at(m) == 0xFF) ++m;  // fill bytes
    if (m + 2 >= size || !IsAppOrComment(at(m))) break;
    const std::int64_t length = at(m + 1) << 8 | at(m + 2);
    if (length < 2 || m + 1 + length > size) break;
    leading_.push_back({pos, m + 1 + length, at(m), m});
    pos = m + 1 + length;
  }
  tailStart_ = pos;
}

std::string_view JpegImage::FirstApp13() const {
  for (const tLeadingSegment& s : leading_) {
    if (s.marker == 0xED) {
      const std::int64_t from = s.markerOffset + 1;
      return std::string_view(bytes_).substr(static_cast<std::size_t>(from),
                                             static_cast<std::size_t>(s.end - from));
    }
  }
  return {};
}

}  // namespace dux
