#include "metadata/jpeg/JpegImage.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

#include "metadata/bytes/ByteStream.h"
#include "metadata/containers/FileFormat.h"
#include "metadata/jpeg/JpegMarkers.h"
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

// libjpeg's source of bytes: the open file, read 4 KB at a time from where the header walk stands;
// what libjpeg skips (the APPn segments) is not read. A read error of the file ends the walk as
// the end of the data would, and is reported after it. Trivially destructible, for the jump.
struct tFileSource {
  jpeg_source_mgr manager;  // first: libjpeg sees the struct through it
  platform::InputFile* file;
  std::int64_t offset;  // of the next byte to be read
  bool failed;
  JOCTET buffer[4096];
};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr info) {
  auto* source = reinterpret_cast<tFileSource*>(info->src);
  std::size_t got = 0;
  try {
    source->file->Seek(source->offset);
    got = source->file->Read(reinterpret_cast<char*>(source->buffer), sizeof source->buffer);
  } catch (const FormatError&) {
    source->failed = true;
  }
  if (got == 0) {  // as libjpeg's own memory source does at the end: a warning, and an EOI
    WARNMS(info, JWRN_JPEG_EOF);
    source->buffer[0] = 0xFF;
    source->buffer[1] = JPEG_EOI;
    got = 2;
  } else {
    source->offset += static_cast<std::int64_t>(got);
  }
  source->manager.next_input_byte = source->buffer;
  source->manager.bytes_in_buffer = got;
  return TRUE;
}

void SkipInput(j_decompress_ptr info, long count) {
  auto* source = reinterpret_cast<tFileSource*>(info->src);
  if (count <= 0) return;
  const auto skip = static_cast<std::size_t>(count);
  if (skip <= source->manager.bytes_in_buffer) {
    source->manager.next_input_byte += skip;
    source->manager.bytes_in_buffer -= skip;
    return;
  }
  source->offset += static_cast<std::int64_t>(skip - source->manager.bytes_in_buffer);
  source->manager.bytes_in_buffer = 0;
}

// Reads the frame header. Only trivially destructible objects live in this frame, so the jump
// back from ErrorExit is safe. A file that ends after a complete frame header but before any
// scan (a metadata-only JPEG) still has a readable header (libjpeg then stops with "missing SOS").
// `failed`: a read of the file failed on the way.
bool ReadFrameHeader(platform::InputFile& file, int& width, int& height, char* message,
                     bool& failed) {
  jpeg_decompress_struct info{};
  tJpegErrors errors{};
  tFileSource source{};
  source.file = &file;
  source.manager.init_source = InitSource;
  source.manager.fill_input_buffer = FillInput;
  source.manager.skip_input_data = SkipInput;
  source.manager.resync_to_restart = jpeg_resync_to_restart;
  source.manager.term_source = TermSource;
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = ErrorExit;
  errors.manager.output_message = IgnoreMessage;
  if (setjmp(errors.jump) != 0) {
    const bool headerRead =
        errors.manager.msg_code == JERR_SOF_NO_SOS && info.image_width > 0 && info.image_height > 0;
    width = static_cast<int>(info.image_width);
    height = static_cast<int>(info.image_height);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
    failed = source.failed;
    jpeg_destroy_decompress(&info);
    return headerRead && !failed;
  }
  jpeg_create_decompress(&info);
  info.src = &source.manager;
  jpeg_read_header(&info, TRUE);
  width = static_cast<int>(info.image_width);
  height = static_cast<int>(info.image_height);
  failed = source.failed;
  jpeg_destroy_decompress(&info);
  return !failed;
}

constexpr std::size_t kCompareChunk = 1 << 18;

// What a walk of the segments found.
struct tWalk {
  std::vector<tLeadingSegment> leading;
  std::int64_t tailStart = 2;
  std::int64_t imageData = -1;  // the 0xFF of the first SOS marker; -1 when the walk met none
  int tooMany = -1;             // the marker of which there were more than the limit; -1 when none
};

// Walks the segments after SOI through the first SOS header (or to EOI, or the end) as a decoder
// does, and notes the run of whole APPn and COM segments right after SOI. With `limit` above 0,
// stops at the first APPn kind, or COM, of which more than `limit` segments stand before the image
// data. The segments' payloads are passed over, not read, where the stream can.
void WalkSegments(ByteStream& stream, tWalk& walk, int limit) {
  bool inLeadingRun = true;
  std::array<int, 17> counts{};  // APP0..APP15, COM
  tMarker marker;
  while (NextMarker(stream, kDecoderPolicy, marker) && marker.code != kMarkerEoi) {
    if (!HasLengthField(kDecoderPolicy, marker.code)) {
      inLeadingRun = false;
      continue;
    }
    if (limit > 0 && IsAppOrComment(marker.code) &&
        ++counts[marker.code == kMarkerCom ? 16 : marker.code - kMarkerApp0] > limit) {
      walk.tooMany = marker.code;
      return;
    }
    if (marker.code == kMarkerSos) walk.imageData = marker.markerOffset - 1;
    std::int32_t length = 0;
    const bool whole =
        ReadLengthField(stream, length) && length >= 2 &&
        stream.Skip(static_cast<std::size_t>(length - 2)) == static_cast<std::size_t>(length - 2);
    inLeadingRun = inLeadingRun && whole && !marker.strayBefore && IsAppOrComment(marker.code);
    if (inLeadingRun) {
      walk.leading.push_back(
          {marker.start, marker.markerOffset + 1 + length, marker.code, marker.markerOffset});
      walk.tailStart = walk.leading.back().end;
    }
    if (!whole || marker.code == kMarkerSos) return;
  }
}

std::string MarkerName(int code) {
  return code == kMarkerCom ? std::string("COM") : "APP" + std::to_string(code - kMarkerApp0);
}

void ThrowUnreadable(const std::string& name, const char* message) {
  throw FormatError("Cannot read the JPEG header of '" + name +
                    "': " + (message[0] != '\0' ? message : "not a JPEG file"));
}

}  // namespace

std::vector<tLeadingSegment> FindLeadingSegments(std::string_view jpeg, std::int64_t* tailStart) {
  tWalk walk;
  MemoryByteStream stream(jpeg);
  if (stream.Skip(2) == 2) WalkSegments(stream, walk, 0);
  if (tailStart != nullptr) *tailStart = walk.tailStart;
  return walk.leading;
}

JpegImage::JpegImage() = default;
JpegImage::JpegImage(JpegImage&&) noexcept = default;
JpegImage& JpegImage::operator=(JpegImage&&) noexcept = default;
JpegImage::~JpegImage() = default;

JpegImage JpegImage::Load(const std::string& fileName) {
  return Open(platform::OpenInputFile(fileName), fileName);
}

JpegImage JpegImage::FromBytes(std::string bytes, const std::string& name) {
  return Open(std::make_unique<MemoryInputFile>(std::move(bytes)), name);
}

JpegImage JpegImage::Open(std::unique_ptr<platform::InputFile> file, const std::string& name) {
  JpegImage image;
  image.name_ = name;
  image.file_ = std::move(file);
  tWalk walk;
  char message[JMSG_LENGTH_MAX] = "";
  try {
    image.fileSize_ = image.file_->Size();
    // SOI first: anything else is refused before more of it is read.
    unsigned char soi[2] = {};
    FileByteStream stream(*image.file_);
    const FileFormat format = FormatOf(stream.Peek(kFormatHeadSize));
    const std::size_t got = stream.Read(reinterpret_cast<char*>(soi), 2);
    if (got != 2 || soi[0] != 0xFF || soi[1] != kMarkerSoi) {
      // A file of a kind that is read but not written is told by its name.
      if (format != FileFormat::kUnknown) {
        throw FormatError("'" + name + "' is a " + std::string(FormatName(format)) +
                          " file: its metadata is read, not written (IPTC is written into JPEG "
                          "files)");
      }
      if (got == 2)
        std::snprintf(message, sizeof message, "Not a JPEG file: starts with 0x%02x 0x%02x", soi[0],
                      soi[1]);
      ThrowUnreadable(name, message);
    }
    WalkSegments(stream, walk, kMaxSegmentsOfOneKind);
  } catch (const FileError& e) {
    throw FormatError("Cannot read '" + name + "': " + e.what());
  }
  if (walk.tooMany >= 0) {
    throw FormatError("Cannot rewrite '" + name + "': it holds more than " +
                      std::to_string(kMaxSegmentsOfOneKind) + " " + MarkerName(walk.tooMany) +
                      " segments in front of its image data, more than a write takes on");
  }
  bool failed = false;
  if (!ReadFrameHeader(*image.file_, image.width_, image.height_, message, failed)) {
    if (failed)
      throw FormatError("Cannot read '" + name +
                        "': the file could not be read as far as its frame header");
    ThrowUnreadable(name, message);
  }
  image.leading_ = std::move(walk.leading);
  image.tailStart_ = walk.tailStart;
  image.imageData_ = walk.imageData >= 0 ? walk.imageData : image.fileSize_;
  return image;
}

std::size_t JpegImage::ReadAt(std::int64_t offset, char* buffer, std::size_t size) const {
  if (!file_) throw FormatError("Cannot read '" + name_ + "': it is closed");
  try {
    file_->Seek(offset);
    std::size_t done = 0;
    while (done < size) {
      const std::size_t got = file_->Read(buffer + done, size - done);
      if (got == 0) break;
      done += got;
    }
    return done;
  } catch (const FileError& e) {
    throw FormatError("Cannot read '" + name_ + "': " + e.what());
  }
}

std::string JpegImage::ReadRange(std::int64_t start, std::int64_t end) const {
  if (start < 0 || end < start)
    throw FormatError("Cannot read '" + name_ + "': a range that is none");
  std::string bytes(static_cast<std::size_t>(end - start), '\0');
  if (ReadAt(start, bytes.data(), bytes.size()) != bytes.size()) {
    throw FormatError("The file '" + name_ + "' changed while it was being rewritten");
  }
  return bytes;
}

std::unique_ptr<ByteStream> JpegImage::Stream() const {
  if (!file_) throw FormatError("Cannot read '" + name_ + "': it is closed");
  return std::make_unique<FileByteStream>(*file_);
}

bool SameImageData(const JpegImage& one, const JpegImage& other) {
  std::int64_t a = one.ImageDataStart(), b = other.ImageDataStart();
  if (one.Size() - a != other.Size() - b) return false;
  const std::unique_ptr<char[]> left = std::make_unique_for_overwrite<char[]>(kCompareChunk);
  const std::unique_ptr<char[]> right = std::make_unique_for_overwrite<char[]>(kCompareChunk);
  for (;;) {
    const std::size_t got = one.ReadAt(a, left.get(), kCompareChunk);
    if (other.ReadAt(b, right.get(), kCompareChunk) != got ||
        std::memcmp(left.get(), right.get(), got) != 0)
      return false;
    if (got == 0) return a == one.Size();
    a += static_cast<std::int64_t>(got);
    b += static_cast<std::int64_t>(got);
  }
}

}  // namespace dux
