#include "metadata/exif/TImageInfo.h"

#include <gtest/gtest.h>

#include <string>

#include "metadata/TimgData.h"
#include "metadata/bytes/ByteStream.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/TiffBuilder.h"

namespace dux {
namespace {

using test::Ifd;

// A JPEG stream holding `tiff` as its EXIF APP1, scanned by a TimgData.
struct tScanned {
  explicit tScanned(const std::string& tiff) {
    jpeg = "\xFF\xD8" + test::Segment(0xE1, std::string("Exif\0\0", 6) + tiff) +
           test::Segment(0xDA, "");
    MemoryByteStream stream(jpeg);
    result = data.ScanJpegStream(stream);
  }
  TImageInfo& Info() { return *data.exifInfo; }
  std::string jpeg;
  TimgData data;
  bool result = false;
};

TEST(TImageInfo, CapturesFieldsAndFormatsEntriesInBothByteOrders) {
  for (const bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian ? "MM" : "II");
    const Ifd exif = Ifd()
                         .Rational(0x829A, {1, 60})
                         .Bytes(0x9000, 7, "0220")
                         .Ascii(0x9003, "2004:05:06 07:08:10")
                         .Short(0x9209, {0x19})
                         .Long(0xA002, {2272})
                         .Short(0xA003, {1704})
                         .Bytes(0x9286, 7, std::string("ASCII\0\0\0  Nice day \n", 21));
    tScanned s(Ifd()
                   .Ascii(0x010F, "Canon")
                   .Ascii(0x0110, "Canon PowerShot S30")
                   .Short(0x0112, {6})
                   .Ascii(0x0132, "2004:05:06 07:08:09")
                   .Short(0x1234, {1})              // unknown to the table
                   .Numbers(0x0131, 13, 1, {1, 2})  // type 13: no value
                   .Numbers(0x013B, 2, 1, {})       // count 0
                   .Sub(0x8769, exif)
                   .Tiff(bigEndian));
    ASSERT_TRUE(s.result);
    TImageInfo& info = s.Info();
    EXPECT_EQ(info.cameraMake, "Canon");
    EXPECT_EQ(info.DisplayValueOf("Make"), "Canon");
    EXPECT_EQ(info.cameraModel, "Canon PowerShot S30");
    EXPECT_EQ(info.photoDate, "2004:05:06 07:08:10");  // DateTimeOriginal replaces DateTime
    EXPECT_EQ(info.exifVersion, "0220");
    EXPECT_EQ(info.DisplayValueOf("ExifVersion"), "\"0220\"");
    EXPECT_EQ(info.DisplayValueOf("Orientation"), "CounterClockwise 90\xB0");
    EXPECT_EQ(info.DisplayValueOf("ExposureTime"), "1/60 sec");
    EXPECT_EQ(info.DisplayValueOf("Flash"), "On, auto mode");
    EXPECT_EQ(info.flashValue, 0x19);
    EXPECT_EQ(info.imageWidth, 2272);
    EXPECT_EQ(info.imageHeight, 1704);
    EXPECT_EQ(info.userComment, "Nice day");
    EXPECT_EQ(info.DisplayValueOf("UserComment"), "Nice day");
    EXPECT_EQ(info.IndexOfName("Software"), -1);
    EXPECT_EQ(info.IndexOfName("Artist"), -1);
    EXPECT_EQ(info.entries.size(), 12u);  // 4 of IFD0, 7 of the Exif IFD, the Exif pointer
    EXPECT_EQ(info.entries.back().ShortName, "ExifOffset");
    EXPECT_EQ(info.bigEndian, bigEndian);
  }
}

TEST(TImageInfo, PointerLoopsAndDeepChainsEnd) {
  // The Exif pointer of IFD0 leads back to IFD0 itself (TIFF offset 8).
  tScanned loop(Ifd().Ascii(0x010F, "Loop").PointerTo(0x8769, 8).PointerTo(0xA005, 8).Tiff(false));
  EXPECT_EQ(loop.Info().entries.size(), 3u);
  // 40 nested interoperability pointers: the walk goes kMaxDirectoryDepth levels deep and stops.
  Ifd chain = Ifd().Ascii(0x010F, "deepest");
  for (int i = 0; i < 40; ++i) chain = Ifd().Short(0x0112, {1}).Sub(0xA005, chain);
  tScanned deep(chain.Tiff(true));
  EXPECT_EQ(deep.Info().IndexOfName("Make"), -1);
  EXPECT_EQ(deep.Info().entries.size(), 2u * (TImageInfo::kMaxDirectoryDepth + 1));
}

TEST(TImageInfo, WalksOnlyDirectoriesThatFit) {
  struct Case {
    const char* what;
    std::uint16_t claimed;
    std::size_t kept;
  };
  // A count whose entries would run past the data makes the whole directory unreadable.
  for (const Case& c : {Case{"exact", 2, 2}, Case{"one more than present", 3, 0},
                        Case{"0xFFFF", 0xFFFF, 0}, Case{"none", 0, 0}}) {
    SCOPED_TRACE(c.what);
    tScanned s(Ifd().Ascii(0x010F, "Maker").Short(0x0112, {6}).ClaimCount(c.claimed).Tiff(false));
    EXPECT_EQ(s.Info().entries.size(), c.kept);  // ASan catches any read past the segment
  }
  // A table larger than the EXIF block is refused with a message that the summaries show.
  TImageInfo info(BuildMode::kAll);
  info.SetSegmentData(test::ExifSection(Ifd().Ascii(0x010F, "x").ClaimCount(0x3000).Tiff(false)));
  info.ParseDirectory(17, 9, 100, 1);
  EXPECT_EQ(info.walkMessage, ScanMessage::kIllegallySizedDirectory);
  EXPECT_EQ(info.skippedDirectories,
            std::vector<std::string>{"directory at 17: 12288 entries do not fit"});
  EXPECT_TRUE(info.entries.empty());
}

TEST(TImageInfo, FindsIfd0AtPosition17WhenTheHeaderSaysZero) {
  std::string tiff = Ifd().Ascii(0x010F, "Zero").Tiff(false);
  tiff[4] = '\0';  // IFD0 offset 0
  tScanned s(tiff);
  EXPECT_EQ(s.Info().cameraMake, "Zero");
}

TEST(TImageInfo, LocatesTheThumbnailDirectoryFromTheLinkAfterIfd0) {
  const Ifd ifd1 =
      Ifd().Short(0x0103, {6}).Long(0x0201, {5000}).Long(0x0202, {700}).Long(0x0100, {160});
  tScanned s(Ifd().Ascii(0x010F, "x").Next(ifd1).Tiff(true));
  TImageInfo& info = s.Info();
  const std::int64_t link = 8 + 2 + 12 + 4;  // header, count, one entry ("x" fits inline), link
  EXPECT_EQ(info.thumbnailStart, link);
  EXPECT_EQ(info.thumbnailLength, s.data.exifSection->lengthField + 3 - link);
  EXPECT_EQ(info.thumbnailEntries.size(), 0u);
  info.ParseThumbnailDirectory();
  ASSERT_EQ(info.thumbnailEntries.size(), 4u);
  EXPECT_EQ(info.thumbnailEntries[1].DisplayValue, "5000");
  EXPECT_EQ(info.thumbnailCompression, 6);
  EXPECT_EQ(info.imageWidth, 160);  // the thumbnail's size overwrites the captured one
  // An APP1 of length 20000 whose IFD0 links to 5000: start 5000, length 15003.
  TImageInfo far(BuildMode::kAll);
  far.bigEndian = true;
  far.SetSegmentData(std::string(16, '\0') + std::string("\0\0\0\0\x13\x88", 6));
  far.ParseDirectory(17, 9, 20000 - 6, 1);
  EXPECT_EQ(far.thumbnailStart, 5000);
  EXPECT_EQ(far.thumbnailLength, 15003);
}

TEST(TImageInfo, PatchDimensionsWritesShortAndLongInPlace) {
  const Ifd exif = Ifd().Short(0xA002, {640}).Long(0xA003, {480});
  tScanned s(Ifd().Sub(0x8769, exif).Tiff(true));
  TImageInfo& info = s.Info();
  const std::string before(s.data.exifSection->Data());
  std::string after = before;  // the owner's copy
  info.PatchDimensions(after, 480, 640);
  EXPECT_EQ(after, before);  // same size: no byte changes
  info.PatchDimensions(after, 768, 1024);
  EXPECT_EQ(Word(after, info.widthPos, true), 1024);
  EXPECT_EQ(Word(after, info.widthPos + 2, true), 0);  // left-justified, the rest untouched
  EXPECT_EQ(Long(after, info.heightPos, true), 768u);
  TimgData again;
  const std::string jpeg = "\xFF\xD8\xFF\xE1" + after + std::string("\xFF\xDA\x00\x02", 4);
  MemoryByteStream stream(jpeg);
  ASSERT_TRUE(again.ScanJpegStream(stream));
  EXPECT_EQ(again.exifInfo->imageWidth, 1024);
  EXPECT_EQ(again.exifInfo->imageHeight, 768);
}

TEST(TImageInfo, MakerNoteIsKeptAsAnEntryWithItsPosition) {
  tScanned s(
      Ifd().Sub(0x8769, Ifd().Bytes(0x927C, 7, std::string("VENDOR\0data", 11))).Tiff(false));
  EXPECT_EQ(s.Info().makerNoteData, std::string("VENDOR\0data", 11));
  EXPECT_EQ(s.Info().makerNotePos,
            static_cast<std::int64_t>(s.data.exifSection->Data().find("VENDOR")) + 1);
  EXPECT_FALSE(s.Info().makerNoteDecoded);
  EXPECT_EQ(s.Info().DisplayValueOf("MakerNote"), "\"VENDOR\"");
}

TEST(TImageInfo, IteratesEntriesOfOneTable) {
  tScanned s(Ifd().Ascii(0x010F, "a").Ascii(0x0110, "b").Tiff(false));
  TImageInfo& info = s.Info();
  info.entries[0].TableId = EntryTable::kMakerNote;
  TTagEntry entry;
  info.RewindEntries();
  ASSERT_TRUE(info.NextEntryOfTable(EntryTable::kDirectories, entry));
  EXPECT_EQ(entry.ShortName, "Model");
  EXPECT_FALSE(info.NextEntryOfTable(EntryTable::kDirectories, entry));
  EXPECT_EQ(entry.ShortName, "");
  info.RewindEntries();
  ASSERT_TRUE(info.NextEntryOfTable(EntryTable::kMakerNote, entry));
  EXPECT_EQ(entry.ShortName, "Make");
}

TEST(TImageInfo, ATiffFilesIfd1IsItsThumbnailDirectory) {
  // A raw file's IFD1 names its preview; the lines tell what the file holds, wherever it stands.
  std::string tiff = Ifd().Ascii(0x010F, "Nikon").Next(Ifd().Long(0x0201, {1})).Tiff(false);
  tiff.append(300, '\0');  // the preview's bytes, after IFD1
  TimgData data;
  ASSERT_TRUE(data.ScanTiffView(tiff));
  EXPECT_EQ(data.exifInfo->cameraMake, "Nikon");
  EXPECT_GT(data.exifInfo->thumbnailStart, 8);
  ASSERT_TRUE(data.HasThumbnail());
  data.exifInfo->ParseThumbnailDirectory();
  ASSERT_EQ(data.exifInfo->thumbnailEntries.size(), 1u);
  EXPECT_EQ(data.exifInfo->thumbnailEntries[0].TagNumber, 0x0201);
  // Without IFD1, none.
  TimgData single;
  ASSERT_TRUE(single.ScanTiffView(Ifd().Ascii(0x010F, "Nikon").Tiff(false)));
  EXPECT_FALSE(single.HasThumbnail());
}

}  // namespace
}  // namespace dux
