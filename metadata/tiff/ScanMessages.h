#pragma once

#include <array>
#include <string_view>

namespace dux {

// The outcomes a scan reports in its result text (TimgData::ErrStr), and their texts, which
// scripts compare: keep them as they are.
enum class ScanMessage {
  kNone,                     // the scan found metadata
  kNotAnExifFile,            // unsupported name, or nothing found where metadata must stand
  kIncorrectExifHeader,      // an APP1 without "Exif" and a zero byte
  kInvalidAlignment,         // neither "II" nor "MM" after the EXIF header
  kIllegalConstruction,      // the file exists but cannot be opened
  kIllegallySizedDirectory,  // a directory whose entries cannot fit
};

inline constexpr std::array<std::string_view, 6> kScanMessageTexts = {
    "<none>",
    "Not an EXIF file",
    "Incorrect Exif header",
    "Invalid Exif alignment marker",
    "Illegal Exif construction",
    "Illegally sized directory"};

constexpr std::string_view ScanMessageText(ScanMessage message) noexcept {
  return kScanMessageTexts[static_cast<std::size_t>(message)];
}

}  // namespace dux
