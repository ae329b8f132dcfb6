#include "metadata/JpegRewrite.h"

namespace dux {

std::unique_ptr<platform::OutputFile> OpenReplacingFile(const std::string& destination) {
  return std::make_unique<platform::ReplacingFile>(destination);
}

void WriteJpeg(JpegImage& source, std::span<const std::string_view> pieces, const std::string& destination,
               const OutputOpener& open) {
  const std::unique_ptr<platform::OutputFile> out = open(destination);
  for (const std::string_view piece : pieces) out->Write(piece);
  // The image data streams from the source; the source is closed before the commit, which may
  // replace it.
  source.CopyRemainder([&out](std::string_view piece) { out->Write(piece); });
  out->Commit();
}

}  // namespace dux
