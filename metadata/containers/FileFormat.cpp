#include "metadata/containers/FileFormat.h"

#include <algorithm>
#include <cstdint>

#include "metadata/bytes/ByteReader.h"

namespace dux {
namespace {

// The brands of an ISO base media file's ftyp box (the major one and the compatible ones, as far
// as `head` holds them): which kind of file it is.
FileFormat BrandedFormat(std::string_view head) {
  const std::int64_t boxSize = Long(head, 1, true);
  const std::int64_t end = std::min<std::int64_t>(boxSize, std::ssize(head));
  FileFormat found = FileFormat::kUnknown;
  for (std::int64_t at = 9; at + 3 <= end; at += 4) {
    if (at == 13) continue;  // the minor version
    const std::string_view brand = Bytes(head, at, 4);
    if (brand == "crx ") return FileFormat::kCanonRaw3;
    for (std::string_view heif :
         {"heic", "heix", "heim", "heis", "hevc", "hevx", "mif1", "msf1", "avif", "avis", "mif2"}) {
      if (brand == heif) found = FileFormat::kHeif;
    }
  }
  return found;
}

}  // namespace

FileFormat FormatOf(std::string_view head) {
  const auto starts = [head](std::string_view magic) { return head.starts_with(magic); };
  using namespace std::string_view_literals;
  if (starts("\xFF\xD8"sv)) return FileFormat::kJpeg;
  if (starts("II*\0"sv) || starts("MM\0*"sv)) return FileFormat::kTiff;
  if (starts("II+\0"sv) || starts("MM\0+"sv)) return FileFormat::kBigTiff;
  if (starts("IIRO"sv) || starts("IIRS"sv) || starts("MMOR"sv)) return FileFormat::kOlympusRaw;
  if (starts("IIU\0"sv)) return FileFormat::kPanasonicRaw;
  if (starts("FUJIFILMCCD-RAW"sv)) return FileFormat::kFujifilmRaw;
  if (starts("\x89PNG\r\n\x1A\n"sv)) return FileFormat::kPng;
  if (starts("RIFF"sv) && Bytes(head, 9, 4) == "WEBP") return FileFormat::kWebp;
  if (Bytes(head, 5, 4) == "ftyp") return BrandedFormat(head);
  return FileFormat::kUnknown;
}

std::string_view FormatName(FileFormat format) {
  switch (format) {
    case FileFormat::kJpeg:
      return "JPEG";
    case FileFormat::kTiff:
    case FileFormat::kOlympusRaw:
    case FileFormat::kPanasonicRaw:
      return "TIFF";
    case FileFormat::kBigTiff:
      return "BigTIFF";
    case FileFormat::kFujifilmRaw:
      return "RAF";
    case FileFormat::kHeif:
      return "HEIF";
    case FileFormat::kCanonRaw3:
      return "CR3";
    case FileFormat::kWebp:
      return "WebP";
    case FileFormat::kPng:
      return "PNG";
    case FileFormat::kUnknown:
      break;
  }
  return "unknown";
}

}  // namespace dux
