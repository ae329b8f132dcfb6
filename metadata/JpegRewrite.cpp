#include "metadata/JpegRewrite.h"

namespace dux {

std::unique_ptr<platform::OutputFile> OpenReplacingFile(const std::string& destination) {
  return std::make_unique<platform::ReplacingFile>(destination);
}

void WriteJpeg(JpegImage& source, std::span<const std::string_view> pieces, const std::string& destination,
               const OutputOpener& open) {
  const std::unique_ptr<platform::OutputFile> out = open(destination);
  // The metadata in one write, then the image data streamed from the source in whole pages; the
  // source is closed before the commit, which may replace it.
  std::string head;
  std::size_t size = 0;
  for (const std::string_view piece : pieces) size += piece.size();
  head.reserve(size);
  for (const std::string_view piece : pieces) head += piece;
  out->Write(head);
  source.CopyRemainder([&out](std::string_view piece) { out->Write(piece); }, static_cast<std::int64_t>(head.size()));
  out->Commit();
}

}  // namespace dux
