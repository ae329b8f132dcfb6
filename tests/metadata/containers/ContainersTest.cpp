#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "metadata/containers/Containers.h"
#include "metadata/containers/FileFormat.h"
#include "tests/support/TempDir.h"

namespace dux {
namespace {

using namespace std::string_view_literals;

TEST(FileFormat, TheFirstBytesTellWhatAFileIs) {
  struct Case {
    std::string_view head;
    FileFormat format;
  };
  for (const Case& c : {
           Case{"\xFF\xD8\xFF\xE1"sv, FileFormat::kJpeg},
           Case{"II*\0\x08\0\0\0"sv, FileFormat::kTiff},
           Case{"MM\0*\0\0\0\x08"sv, FileFormat::kTiff},
           Case{"II+\0\x08\0\0\0"sv, FileFormat::kBigTiff},
           Case{"MM\0+\0\x08\0\0"sv, FileFormat::kBigTiff},
           Case{"IIRO\x08\0\0\0"sv, FileFormat::kOlympusRaw},
           Case{"IIRS\x08\0\0\0"sv, FileFormat::kOlympusRaw},
           Case{"MMOR\0\0\0\x08"sv, FileFormat::kOlympusRaw},
           Case{"IIU\0\x08\0\0\0"sv, FileFormat::kPanasonicRaw},
           Case{"FUJIFILMCCD-RAW 0201"sv, FileFormat::kFujifilmRaw},
           Case{"\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR"sv, FileFormat::kPng},
           Case{"RIFF\x10\0\0\0WEBPVP8 "sv, FileFormat::kWebp},
           Case{"RIFF\x10\0\0\0AVI LIST"sv, FileFormat::kUnknown},
           // ISO base media: the major brand, or a compatible one within the ftyp box.
           Case{"\0\0\0\x18"
                "ftypheic\0\0\0\0mif1heic"sv,
                FileFormat::kHeif},
           Case{"\0\0\0\x1C"
                "ftypavif\0\0\0\0avifmif1miaf"sv,
                FileFormat::kHeif},
           Case{"\0\0\0\x18"
                "ftypmp42\0\0\0\0isommif1"sv,
                FileFormat::kHeif},
           Case{"\0\0\0\x18"
                "ftypcrx \0\0\0\x01"
                "crx isom"sv,
                FileFormat::kCanonRaw3},
           Case{"\0\0\0\x18"
                "ftypmp42\0\0\0\0isommp41"sv,
                FileFormat::kUnknown},
           // A brand after the box's end is not the file's.
           Case{"\0\0\0\x10"
                "ftypmp42\0\0\0\0heic"sv,
                FileFormat::kUnknown},
           Case{"\0\0\0\x10"
                "ftypmp42\0\0\0\0mif1"sv,
                FileFormat::kUnknown},
           Case{"GIF89a"sv, FileFormat::kUnknown},
           Case{"\xFF"sv, FileFormat::kUnknown},
           Case{""sv, FileFormat::kUnknown},
       }) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.head)));
    EXPECT_EQ(FormatOf(c.head), c.format);
  }
}

// The walks read only what lies in the file, whatever its sizes say, and keep what they found
// before a box or chunk that does not fit: the hostile inputs kept for the fuzz harnesses.
TEST(Containers, SizesThatDoNotFitEndTheWalkAndFindNothingBeyond) {
  const auto file = [](const char* name) {
    return test::ReadFileBytes(std::string(DUX_SOURCE_DIR) + "/tests/regress/fuzz/" + name);
  };
  struct Case {
    const char* file;
    tEmbeddedMetadata (*walk)(std::string_view);
    bool exif, xmp;
  };
  for (const Case& c : {
           // 2000 extents, each the whole file: more than the file holds, so no item at all.
           Case{"Bmff/extents-repeat-the-file-2000-times.heic", HeifMetadata, false, true},
           Case{"Bmff/extents-without-bytes.heic", HeifMetadata, false, false},
           Case{"Bmff/largesize-past-the-end.heic", HeifMetadata, false, false},
           Case{"Riff/exif-chunk-longer-than-the-file.webp", WebpMetadata, false, false},
           Case{"Riff/odd-sized-chunks-and-padding.webp", WebpMetadata, true, true},
           Case{"Png/raw-profile-claims-more-than-it-holds.png", PngMetadata, false, false},
           Case{"Png/chunk-length-past-the-end.png", PngMetadata, false, false},
           Case{"Png/itxt-without-its-fields.png", PngMetadata, true, false},
       }) {
    SCOPED_TRACE(c.file);
    const std::string bytes = file(c.file);
    const tEmbeddedMetadata found = c.walk(bytes);
    EXPECT_EQ(!found.exif.empty(), c.exif);
    EXPECT_EQ(!found.xmp.empty(), c.xmp);
    if (c.exif) {
      EXPECT_TRUE(found.exif.starts_with("II*")) << found.exif.substr(0, 8);
    }
  }
}

}  // namespace
}  // namespace dux
