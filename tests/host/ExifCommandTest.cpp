#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/Corpus.h"
#include "tests/support/IoCounts.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/PluginFixture.h"
#include "tests/support/TiffBuilder.h"

namespace dux::test {
namespace {

using Calls = std::vector<std::pair<std::string, std::string>>;

std::vector<std::string> Names(const Calls& calls) {
  std::vector<std::string> names;
  for (const auto& c : calls) names.push_back(c.first);
  return names;
}

class ExifCommand : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = plugin.Folder().File(name);
    WriteFileBytes(path, bytes);
    return path;
  }
  bool Read(const std::string& path) {
    plugin.Host().setCalls.clear();
    return plugin.Run(5, {path});
  }
  const Calls& calls() { return plugin.Host().setCalls; }
  LoadedPlugin plugin;
};

TEST_F(ExifCommand, AFileWithoutExifGivesTheErrorLineAndEmptiesTheRest) {
  EXPECT_FALSE(Read(Write("plain.jpg", TinyJpeg())));
  EXPECT_EQ(calls(), (Calls{{"[duxEXIF_Data]", "ErrStr=Not an EXIF file\r\n"},
                            {"[duxEXIF_MakerSpecificData]", ""},
                            {"[duxEXIF_ThumbnailData]", ""},
                            {"[duxEXIF_SummaryShort]", ""},
                            {"[duxEXIF_SummaryLong]", ""}}));
  EXPECT_FALSE(Read(plugin.Folder().File("missing.jpg")));
  EXPECT_EQ(calls().front().second, "ErrStr=\r\n");
}

#ifdef __linux__
// A script reads a file's IPTC, then its EXIF. The EXIF read reads the leading segments the
// IPTC read has just read in one read (they run past a first read's 16 KB here), and lists what
// it lists after a read of another file.
TEST_F(ExifCommand, AfterTheIptcReadOfTheSameFileReadsTheLeadingSegmentsInOneRead) {
  if (ProcessIoCount("syscr:") < 0) GTEST_SKIP() << "the system does not count read calls";
  const std::string tiff = Ifd().Ascii(0x010F, "Maker").Tiff(false) + std::string(20000, '\0');
  const std::string path =
      Write("long.jpg", JpegWith({Segment(0xE1, std::string("Exif\0\0", 6) + tiff)}));
  const std::string other = Write("other.jpg", TinyJpeg());
  const auto readCalls = [&](int command, const std::string& file) {
    plugin.Host().setCalls.clear();
    return ReadCallsOf([&] { plugin.Run(command, {file}); });
  };
  readCalls(1, other);
  EXPECT_GE(readCalls(5, path), 2);  // after a read of another file
  const Calls alone = calls();
  readCalls(1, other);
  EXPECT_GE(readCalls(1, path), 2);
  EXPECT_EQ(readCalls(5, path), 1);
  EXPECT_EQ(calls(), alone);
}
#endif

TEST_F(ExifCommand, ListsEntriesThumbnailAndCommentInOrder) {
  const Ifd ifd1 = Ifd().Short(0x0103, {6}).Long(0x0201, {4000}).Long(0x0202, {600});
  const std::string tiff = Ifd().Ascii(0x010F, "Maker").Short(0x0112, {1}).Next(ifd1).Tiff(false) +
                           std::string(600, '\0');
  const std::string path =
      Write("full.jpg", JpegWith({Segment(0xE1, std::string("Exif\0\0", 6) + tiff),
                                  Segment(0xFE, "line one\r\nline two")}));
  EXPECT_TRUE(Read(path));
  EXPECT_EQ(Names(calls()), (std::vector<std::string>{
                                "[duxEXIF_Data]", "[duxEXIF_SummaryShort]", "[duxEXIF_SummaryLong]",
                                "[duxEXIF_ThumbnailData]", "[duxEXIF_CommentStr]"}));
  EXPECT_EQ(calls()[0].second,
            "ErrStr=<none>\r\nByteOrder=Intel Byte Order\r\nMake=Maker\r\nOrientation=Normal\r\n");
  const std::string thumbnail = calls()[3].second;
  // IFD1 follows IFD0's table (8 + 2 + 24 + 4) and "Maker" (6); its length runs to the APP1's end.
  EXPECT_EQ(thumbnail.substr(0, thumbnail.find("Compression")),
            "Thumbnail Start=44\r\nThumbnail Length=" +
                std::to_string(2 + 6 + tiff.size() + 3 - 44) + "\r\n");
  EXPECT_NE(
      thumbnail.find("\r\nJPEGInterchange Format=4000\r\nJPEGInterchange Format Length=600\r\n"),
      std::string::npos);
  EXPECT_EQ(calls()[4].second, "line one\r\nline two\r\n");
  // A later file without comment or thumbnail leaves those variables as they were.
  const std::string bare = Write(
      "bare.jpg",
      JpegWith({Segment(0xE1, std::string("Exif\0\0", 6) + Ifd().Ascii(0x010F, "B").Tiff(true))}));
  EXPECT_TRUE(Read(bare));
  EXPECT_EQ(Names(calls()), (std::vector<std::string>{"[duxEXIF_Data]", "[duxEXIF_SummaryShort]",
                                                      "[duxEXIF_SummaryLong]"}));
  EXPECT_EQ(plugin.Host().variables["[duxEXIF_CommentStr]"], "line one\r\nline two\r\n");
  EXPECT_NE(calls()[0].second.find("ByteOrder=Motorola Byte Order\r\n"), std::string::npos);
}

TEST_F(ExifCommand, ABigEndianTiffIsReadAsOneExifBlock) {
  const std::string path =
      Write("photo.TIF", Ifd().Ascii(0x010F, "Scanner").Short(0x0100, {64}).Tiff(true));
  EXPECT_TRUE(Read(path));
  EXPECT_EQ(calls()[0].second,
            "ErrStr=<none>\r\nByteOrder=Motorola Byte Order\r\nMake=Scanner\r\nImage Width=64\r\n");
  EXPECT_EQ(plugin.Host().variables["[duxEXIF_SummaryShort]"].substr(0, 14), "photo.TIF|0||6");
}

TEST_F(ExifCommand, ABrokenExifHeaderShowsInTheSummaries) {
  // An APP1 without the EXIF header is not read as EXIF.
  const std::string path = Write("bad.jpg", JpegWith({Segment(0xE1, "Exif")}));
  EXPECT_FALSE(Read(path));
  EXPECT_EQ(calls()[0].second, "ErrStr=Not an EXIF file\r\n");
  // When the scan then fails, the header's message stays and the summaries show it.
  const std::string broken =
      Write("broken.jpg", std::string("\xFF\xD8", 2) + Segment(0xE1, std::string("Exif\0\0XX", 8)) +
                              std::string("\xFF\xDB\x00\x01", 4));
  EXPECT_TRUE(Read(broken));
  EXPECT_EQ(calls()[0].second,
            "ErrStr=Invalid Exif alignment marker\r\nByteOrder=Intel Byte Order\r\n");
  EXPECT_EQ(plugin.Host().variables["[duxEXIF_SummaryShort]"],
            "broken.jpg Exif Error: Invalid Exif alignment marker");
  EXPECT_EQ(plugin.Host().variables["[duxEXIF_SummaryLong]"],
            "File Name: broken.jpg\r\nExif Error: Invalid Exif alignment marker");
}

// A camera that states the 35 mm focal length keeps its value, once: the estimate from the
// sensor size is for files that do not state it.
TEST_F(ExifCommand, AStatedFocalLengthIn35mmIsListedOnceAndNotEstimated) {
  int files = 0;
  for (const tCorpusFile& corpus : CorpusFiles()) {
    const nlohmann::json oracle = OracleOf(corpus.file);
    if (!IsJpegName(corpus.file) || !oracle.contains("ExifIFD:FocalLengthIn35mmFormat")) continue;
    SCOPED_TRACE(corpus.file);
    ++files;
    Read(CorpusFile(corpus.file));
    const std::string stated =
        "Focal Length in 35mm Film=" + OracleText(oracle["ExifIFD:FocalLengthIn35mmFormat"]);
    std::size_t lines = 0;
    for (const auto& [name, value] : calls()) {
      if (name != "[duxEXIF_Data]") continue;
      for (std::size_t at = value.find("\r\nFocal Length in 35mm Film="); at != std::string::npos;
           at = value.find("\r\nFocal Length in 35mm Film=", at + 1)) {
        ++lines;
        EXPECT_EQ(value.substr(at + 2, stated.size()), stated);
      }
    }
    EXPECT_EQ(lines, 1u);
  }
  EXPECT_GE(files, 10);
}

// The lens and the time offset come last in the long summary, where no script reads other
// lines, and only where the file states them: the model's name, else its focal and aperture range;
// the offset of the original date, else that of the file's date.
TEST_F(ExifCommand, TheLensAndTheTimeOffsetEndTheLongSummary) {
  struct Case {
    const char* file;
    std::string ending;
  };
  for (const Case& c : {
           Case{"crafted/exif30_utf8-lens-offsets.jpg",
                "\r\nFlash=No\r\nLens=Zoom 24\x96"
                "70 mm F2.8\r\nTime Offset=+02:00"},
           Case{"raw/cr3_canon-eos_exiftool.cr3",
                "\r\nFlash=No\r\nLens=EF-M15-45mm f/3.5-6.3 IS STM\r\nTime Offset=+00:00"},
           Case{"raw/dng_apple-iphone12pro_exiv2.dng",
                "\r\nLens=iPhone 12 Pro back triple camera 4.2mm f/1.6\r\nTime Offset=-05:00"},
           Case{"makernote/nikon_coolpix-s570_mn-type3_metadata-only.jpg", "\r\nFlash=Yes"},
       }) {
    SCOPED_TRACE(c.file);
    Read(CorpusFile(c.file));
    const std::string summary = plugin.Host().variables["[duxEXIF_SummaryLong]"];
    ASSERT_GE(summary.size(), c.ending.size());
    EXPECT_EQ(summary.substr(summary.size() - c.ending.size()), c.ending);
  }
}

}  // namespace
}  // namespace dux::test
