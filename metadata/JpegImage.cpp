#include "metadata/JpegImage.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

#include "metadata/ByteStream.h"
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

// Markers that stand alone, without a length: SOI, RSTn, TEM.
bool StandsAlone(std::uint8_t marker) { return marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

constexpr std::size_t kCopyChunk = 1 << 18;

// Reads the segments from SOI through the first SOS header (or to the end), skipping stray
// bytes between segments as a decoder does: what a header read and a rewrite need.
std::string ReadThroughStartOfScan(ByteStream& stream) {
  std::string bytes;
  const auto take = [&](std::size_t n) {
    const std::size_t at = bytes.size();
    bytes.resize(at + n);
    const std::size_t got = stream.Read(bytes.data() + at, n);
    bytes.resize(at + got);
    return got == n;
  };
  if (!take(2)) return bytes;
  for (;;) {
    std::uint8_t c = 0;
    do {  // stray bytes, then fill bytes, up to the marker
      if (!stream.ReadByte(c)) return bytes;
      bytes += static_cast<char>(c);
    } while (c != 0xFF);
    do {
      if (!stream.ReadByte(c)) return bytes;
      bytes += static_cast<char>(c);
    } while (c == 0xFF);
    if (c == 0xD9) return bytes;
    if (StandsAlone(c)) continue;
    if (!take(2)) return bytes;
    const std::size_t length = static_cast<std::uint8_t>(bytes[bytes.size() - 2]) << 8 | static_cast<std::uint8_t>(bytes.back());
    if (length < 2 || !take(length - 2) || c == 0xDA) return bytes;
  }
}

void ThrowUnreadable(const std::string& name, const char* message) {
  throw FormatError("Cannot read the JPEG header of '" + name + "': " + (message[0] != '\0' ? message : "not a JPEG file"));
}

}  // namespace

JpegImage::JpegImage() = default;
JpegImage::JpegImage(JpegImage&&) noexcept = default;
JpegImage& JpegImage::operator=(JpegImage&&) noexcept = default;
JpegImage::~JpegImage() = default;

JpegImage JpegImage::Load(const std::string& fileName) {
  JpegImage image;
  image.name_ = fileName;
  image.file_ = platform::OpenInputFile(fileName);
  image.fileSize_ = image.file_->Size();
  class Unowned final : public ByteStream {  // reads the image's file without taking it
   public:
    explicit Unowned(platform::InputFile& file) : file_(file) {}
   private:
    std::size_t Fill(char* destination, std::size_t size) override { return file_.Read(destination, size); }
    platform::InputFile& file_;
  } stream(*image.file_);
  try {
    image.bytes_ = ReadThroughStartOfScan(stream);
  } catch (const FormatError& e) {
    throw FormatError("Cannot read '" + fileName + "': " + e.what());
  }
  // What the stream read beyond the segments stays unused: the remainder is read again from there.
  char message[JMSG_LENGTH_MAX] = "";
  if (image.bytes_.size() < 4 || !ReadFrameHeader(image.bytes_, image.width_, image.height_, message)) {
    ThrowUnreadable(fileName, message);
  }
  image.FindLeadingSegments();
  return image;
}

JpegImage JpegImage::FromBytes(std::string bytes, const std::string& name) {
  JpegImage image;
  image.bytes_ = std::move(bytes);
  image.name_ = name;
  image.fileSize_ = static_cast<std::int64_t>(image.bytes_.size());
  char message[JMSG_LENGTH_MAX] = "";
  if (image.bytes_.size() < 4 || !ReadFrameHeader(image.bytes_, image.width_, image.height_, message)) {
    ThrowUnreadable(name, message);
  }
  image.FindLeadingSegments();
  return image;
}

void JpegImage::CopyRemainder(const std::function<void(std::string_view)>& sink) {
  if (!file_) return;
  const std::unique_ptr<platform::InputFile> file = std::move(file_);  // closed when done
  std::unique_ptr<char[]> chunk = std::make_unique_for_overwrite<char[]>(kCopyChunk);
  auto copied = static_cast<std::int64_t>(bytes_.size());
  try {
    file->Seek(copied);
    for (std::size_t got; (got = file->Read(chunk.get(), kCopyChunk)) > 0;) {
      sink(std::string_view(chunk.get(), got));
      copied += static_cast<std::int64_t>(got);
    }
  } catch (const FormatError& e) {
    throw FormatError("Cannot read '" + name_ + "': " + e.what());
  }
  if (copied != fileSize_) throw FormatError("The file '" + name_ + "' changed while it was being rewritten");
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
