#pragma once

#include <string_view>

namespace dux {

// What a file is, by its first bytes: the name chooses nothing.
enum class FileFormat {
  kUnknown,
  kJpeg,          // FF D8
  kTiff,          // II*\0 or MM\0*: TIFF, DNG, CR2, NEF, ARW, PEF and the other TIFF-based raws
  kBigTiff,       // II+\0 or MM\0+: 8-byte counts and offsets
  kOlympusRaw,    // IIRO, IIRS, MMOR: a TIFF with another magic number
  kPanasonicRaw,  // IIU\0: a TIFF with another magic number
  kFujifilmRaw,   // FUJIFILMCCD-RAW: a header that points at an embedded JPEG
  kHeif,          // ISO base media, brand heic, heix, mif1, avif and kin: HEIC and AVIF
  kCanonRaw3,     // ISO base media, brand crx
  kWebp,          // RIFF....WEBP
  kPng,           // 89 PNG
};

// How many of a file's first bytes FormatOf looks at (fewer where the file is shorter).
inline constexpr std::size_t kFormatHeadSize = 64;

FileFormat FormatOf(std::string_view head);

// Whether a format is a TIFF structure, read by its directories.
constexpr bool IsTiffStructure(FileFormat format) {
  return format == FileFormat::kTiff || format == FileFormat::kBigTiff ||
         format == FileFormat::kOlympusRaw || format == FileFormat::kPanasonicRaw;
}

// The format's name for messages: "JPEG", "TIFF", "HEIF", "WebP", "PNG"...
std::string_view FormatName(FileFormat format);

}  // namespace dux
