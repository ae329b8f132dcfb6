#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "metadata/jpeg/JpegImage.h"
#include "platform/Files.h"

// Writing a JPEG file anew: new leading segments, then the source's image data byte for byte.
namespace dux {

// Opens where a rewrite's bytes go for a destination name. The plug-in writes through a
// temporary file beside the destination (OpenReplacingFile); tests hand in outputs of their own,
// a full disk or a refused rename among them.
using OutputOpener =
    std::function<std::unique_ptr<platform::OutputFile>(const std::string& destination)>;

// A platform::ReplacingFile for `destination`. Throws FormatError as its constructor does.
std::unique_ptr<platform::OutputFile> OpenReplacingFile(const std::string& destination);

// One piece of a rewritten file: bytes the rewrite made, or a range of the source's bytes, which
// are read when they are written.
struct tPiece {
  std::string_view made;
  std::int64_t sourceStart = 0, sourceEnd = 0;  // the range, when `made` is empty

  static tPiece Made(std::string_view bytes) { return {bytes, 0, 0}; }
  static tPiece Source(std::int64_t start, std::int64_t end) { return {{}, start, end}; }
};

// Checks a rewrite's result, read back before it is committed: throws FormatError, with what
// differs, when it does not hold what was meant.
using RewriteCheck = std::function<void(const JpegImage& written)>;

// Writes `destination`: the pieces in order, the source's ranges read from it as they are
// written (the last piece normally runs to the source's end), in whole 256 KB writes, so that a
// rewrite holds no more of the source at a time. Then, where the output can read its bytes back,
// checks them: the result must be a JPEG of the source's frame size with the source's image
// data, byte for byte, and pass `check`. Then closes the source and commits. Throws FormatError:
// also when the source changed in length while it was read; the destination then keeps its old
// bytes (as far as the output promises it).
void WriteJpeg(JpegImage& source, std::span<const tPiece> pieces, const std::string& destination,
               const OutputOpener& open, const RewriteCheck& check = nullptr);

}  // namespace dux
