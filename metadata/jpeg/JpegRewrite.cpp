#include "metadata/jpeg/JpegRewrite.h"

#include <algorithm>
#include <cstring>

#include "platform/FormatError.h"

namespace dux {
namespace {

constexpr std::size_t kWriteSize = 1 << 18;

// Collects a rewrite's bytes and hands them to the output in whole writes of kWriteSize: the
// metadata in one, then the image data in whole pages.
class BufferedOutput {
 public:
  explicit BufferedOutput(platform::OutputFile& out)
      : out_(out), buffer_(std::make_unique_for_overwrite<char[]>(kWriteSize)) {}

  void Append(std::string_view bytes) {
    while (!bytes.empty()) {
      const std::size_t take = std::min(bytes.size(), kWriteSize - used_);
      std::memcpy(buffer_.get() + used_, bytes.data(), take);
      used_ += take;
      bytes.remove_prefix(take);
      if (used_ == kWriteSize) Flush();
    }
  }
  // Reads the source's bytes from `start` to `end` straight into the buffer.
  void AppendFrom(const JpegImage& source, std::int64_t start, std::int64_t end) {
    while (start < end) {
      const auto want = static_cast<std::size_t>(
          std::min<std::int64_t>(end - start, static_cast<std::int64_t>(kWriteSize - used_)));
      const std::size_t got = source.ReadAt(start, buffer_.get() + used_, want);
      if (got != want)
        throw FormatError("The file '" + source.Name() + "' changed while it was being rewritten");
      used_ += got;
      start += static_cast<std::int64_t>(got);
      if (used_ == kWriteSize) Flush();
    }
  }
  void Flush() {
    if (used_ > 0) out_.Write(std::string_view(buffer_.get(), used_));
    used_ = 0;
  }

 private:
  platform::OutputFile& out_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

}  // namespace

std::unique_ptr<platform::OutputFile> OpenReplacingFile(const std::string& destination) {
  return std::make_unique<platform::ReplacingFile>(destination);
}

void WriteJpeg(JpegImage& source, std::span<const tPiece> pieces, const std::string& destination,
               const OutputOpener& open, const RewriteCheck& check) {
  const std::unique_ptr<platform::OutputFile> out = open(destination);
  BufferedOutput buffer(*out);
  for (const tPiece& piece : pieces) {
    if (!piece.made.empty()) {
      buffer.Append(piece.made);
    } else {
      buffer.AppendFrom(source, piece.sourceStart, piece.sourceEnd);
    }
  }
  buffer.Flush();
  // A source that grew while it was read has bytes the copy did not take.
  char more = 0;
  if (source.ReadAt(source.Size(), &more, 1) != 0) {
    throw FormatError("The file '" + source.Name() + "' changed while it was being rewritten");
  }
  // What was written, read back as the next read will read it: any fault on the way from the
  // rewrite's encoders to the disk is a refused write, not a damaged file.
  if (std::unique_ptr<platform::InputFile> back = out->ReadBack()) {
    const JpegImage written = JpegImage::Open(std::move(back), destination);
    const auto refuse = [&destination](const std::string& what) {
      throw FormatError("Cannot write '" + destination +
                        "': the file written did not read back as meant (" + what +
                        "); it was not saved");
    };
    if (written.Width() != source.Width() || written.Height() != source.Height())
      refuse("the frame size differs");
    if (!SameImageData(source, written)) refuse("the image data differs");
    if (check) check(written);
  }
  // The source is closed before the commit, which may replace it.
  source.Close();
  out->Commit();
}

}  // namespace dux
