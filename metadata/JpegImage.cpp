#include "metadata/JpegImage.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

#include "metadata/ByteStream.h"
#include "metadata/JpegMarkers.h"
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

constexpr std::size_t kCopyChunk = 1 << 18;
constexpr std::size_t kPageSize = 1 << 12;

// Reads an open file for the tokenizer and keeps every byte it hands out, so that the segments
// up to the start of scan are read once and held.
class RecordingStream final : public ByteStream {
 public:
  RecordingStream(platform::InputFile& file, std::string& record) : file_(file), record_(record) {}

 private:
  std::size_t Fill(char* destination, std::size_t size) override {
    std::size_t done = 0;
    while (done < size) {
      const std::size_t got = file_.Read(destination + done, size - done);
      if (got == 0) break;
      done += got;
    }
    record_.append(destination, done);
    return done;
  }
  std::size_t Pass(std::int64_t, std::size_t) override { return 0; }  // every byte is kept
  platform::InputFile& file_;
  std::string& record_;
};

// Walks the segments from SOI through the first SOS header (or to EOI, or the end) as a decoder
// does, and notes the run of whole APPn and COM segments right after SOI.
void WalkSegments(ByteStream& stream, std::vector<tLeadingSegment>& leading, std::int64_t& tailStart) {
  char soi[2];
  if (stream.Read(soi, 2) != 2) return;
  bool inLeadingRun = true;
  tMarker marker;
  while (NextMarker(stream, kDecoderPolicy, marker) && marker.code != 0xD9) {
    if (!HasLengthField(kDecoderPolicy, marker.code)) {
      inLeadingRun = false;
      continue;
    }
    std::int32_t length = 0;
    const bool whole = ReadLengthField(stream, length) && length >= 2 &&
                       stream.Skip(static_cast<std::size_t>(length - 2)) == static_cast<std::size_t>(length - 2);
    inLeadingRun = inLeadingRun && whole && !marker.strayBefore && IsAppOrComment(marker.code);
    if (inLeadingRun) {
      leading.push_back({marker.start, marker.markerOffset + 1 + length, marker.code, marker.markerOffset});
      tailStart = leading.back().end;
    }
    if (!whole || marker.code == 0xDA) return;
  }
}

}  // namespace

std::vector<tLeadingSegment> FindLeadingSegments(std::string_view jpeg, std::int64_t* tailStart) {
  std::vector<tLeadingSegment> leading;
  std::int64_t tail = 2;
  MemoryByteStream stream(jpeg);
  WalkSegments(stream, leading, tail);
  if (tailStart != nullptr) *tailStart = tail;
  return leading;
}

namespace {

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
  RecordingStream stream(*image.file_, image.bytes_);
  try {
    WalkSegments(stream, image.leading_, image.tailStart_);
  } catch (const FormatError& e) {
    throw FormatError("Cannot read '" + fileName + "': " + e.what());
  }
  image.bytes_.resize(static_cast<std::size_t>(stream.Position()));
  // What the stream read ahead beyond the segments is dropped: the remainder is read again from there.
  char message[JMSG_LENGTH_MAX] = "";
  if (image.bytes_.size() < 4 || !ReadFrameHeader(image.bytes_, image.width_, image.height_, message)) {
    ThrowUnreadable(fileName, message);
  }
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
  image.leading_ = FindLeadingSegments(image.bytes_, &image.tailStart_);
  return image;
}

void JpegImage::CopyRemainder(const std::function<void(std::string_view)>& sink, std::int64_t written) {
  if (!file_) return;
  const std::unique_ptr<platform::InputFile> file = std::move(file_);  // closed when done
  std::unique_ptr<char[]> chunk = std::make_unique_for_overwrite<char[]>(kCopyChunk);
  auto copied = static_cast<std::int64_t>(bytes_.size());
  try {
    file->Seek(copied);
    // A write that starts inside a page shares that page with the write before it: the kernel
    // then handles a part page at both ends of every chunk.
    std::size_t size = kCopyChunk - static_cast<std::size_t>(std::max<std::int64_t>(written, 0) % kPageSize);
    for (std::size_t got; (got = file->Read(chunk.get(), size)) > 0; size = kCopyChunk) {
      sink(std::string_view(chunk.get(), got));
      copied += static_cast<std::int64_t>(got);
    }
  } catch (const FormatError& e) {
    throw FormatError("Cannot read '" + name_ + "': " + e.what());
  }
  if (copied != fileSize_) throw FormatError("The file '" + name_ + "' changed while it was being rewritten");
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
