#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "metadata/JpegImage.h"
#include "platform/Files.h"

// Writing a JPEG file anew: new leading segments, then the source's image data byte for byte.
namespace dux {

// Opens where a rewrite's bytes go for a destination name. The plug-in writes through a
// temporary file beside the destination (OpenReplacingFile); tests hand in outputs of their own,
// a full disk or a refused rename among them.
using OutputOpener = std::function<std::unique_ptr<platform::OutputFile>(const std::string& destination)>;

// A platform::ReplacingFile for `destination`. Throws FormatError as its constructor does.
std::unique_ptr<platform::OutputFile> OpenReplacingFile(const std::string& destination);

// Writes `destination`: the pieces in order, then the source's bytes after those it holds in
// memory, streamed from its file, then commits. Throws FormatError; the destination then keeps
// its old bytes (as far as the output promises it).
void WriteJpeg(JpegImage& source, std::span<const std::string_view> pieces, const std::string& destination,
               const OutputOpener& open);

}  // namespace dux
