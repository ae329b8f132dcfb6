#include "metadata/tiff/BigTiff.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "metadata/TimgData.h"

namespace dux {
namespace {

// A little-endian BigTIFF, laid out by hand: 8-byte counts and offsets, 20-byte entries.
class BigTiffBuilder {
 public:
  BigTiffBuilder() { bytes_ = std::string("II+\0\x08\0\0\0", 8) + Number(16, 8); }
  // A directory at the end of the bytes: entries (tag, type, count, value or offset), next.
  std::uint64_t Directory(
      const std::vector<std::tuple<int, int, std::uint64_t, std::uint64_t>>& entries,
      std::uint64_t next = 0) {
    const std::uint64_t at = bytes_.size();
    bytes_ += Number(entries.size(), 8);
    for (const auto& [tag, type, count, value] : entries)
      bytes_ += Number(tag, 2) + Number(type, 2) + Number(count, 8) + Number(value, 8);
    bytes_ += Number(next, 8);
    return at;
  }
  std::uint64_t Append(const std::string& value) {
    const std::uint64_t at = bytes_.size();
    bytes_ += value;
    return at;
  }
  static std::string Number(std::uint64_t value, int width) {
    std::string out;
    for (int i = 0; i < width; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
    return out;
  }
  std::string bytes_;
};

TEST(BigTiff, ItsDirectoriesReadAsAClassicTiffs) {
  BigTiffBuilder b;
  // IFD0 at 16: Make inline; StripOffsets as two LONG8 values stored apart; the Exif IFD as an
  // IFD8 pointer; a LONG8 too large for a classic LONG (left out); then IFD1.
  const std::uint64_t exif = 16 + 8 + 5 * 20 + 8;
  const std::uint64_t ifd1 = exif + 8 + 2 * 20 + 8;
  const std::uint64_t strips = ifd1 + 8 + 1 * 20 + 8;
  b.Directory({{0x010F, 2, 6, 0x00006E6F6E6143},  // "Canon\0"
               {0x0111, 16, 2, strips},
               {0x0117, 16, 1, std::uint64_t{1} << 40},
               {0x8769, 18, 1, exif},
               {0x0112, 3, 1, 1}},
              ifd1);
  // The Exif IFD: an exposure time inline (a RATIONAL fits 8 bytes), and a pointer back to IFD0,
  // which is not walked twice.
  b.Directory({{0x829A, 5, 1, std::uint64_t{100} << 32 | 1}, {0x8769, 18, 1, 16}});
  b.Directory({{0x0103, 3, 1, 6}});
  b.Append(BigTiffBuilder::Number(4096, 8) + BigTiffBuilder::Number(8192, 8));
  const std::string classic = ClassicTiffOf(b.bytes_);
  ASSERT_FALSE(classic.empty());
  EXPECT_EQ(classic.substr(0, 8), std::string("II*\0\x08\0\0\0", 8));
  TimgData data;
  ASSERT_TRUE(data.ScanTiffView(classic));
  const TImageInfo& info = *data.exifInfo;
  EXPECT_EQ(info.DisplayValueOf("Make"), "Canon");
  EXPECT_EQ(info.DisplayValueOf("StripOffsets"), "4096, 8192");
  EXPECT_EQ(info.IndexOfName("StripByteCounts"), -1);
  EXPECT_EQ(info.DisplayValueOf("ExposureTime"), "1/100 sec");
  EXPECT_EQ(info.DisplayValueOf("Orientation"), "Normal");
  // Not a BigTIFF, or its IFD0 outside the file: nothing.
  for (const std::string& bad :
       {std::string("II*\0\x08\0\0\0", 8), std::string("XX+\0", 4),
        std::string("II+\0\x08\0\0\0", 8) + BigTiffBuilder::Number(1 << 20, 8)}) {
    EXPECT_EQ(ClassicTiffOf(bad), "");
  }
}

}  // namespace
}  // namespace dux
