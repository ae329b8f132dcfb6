#include "metadata/TimgData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "metadata/bytes/ByteStream.h"
#include "tests/support/Corpus.h"
#include "tests/support/IoCounts.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/TempDir.h"
#include "tests/support/TiffBuilder.h"
#include "text/DateTime.h"

namespace dux {
namespace {

using test::Segment;

const std::string kSoi = "\xFF\xD8";
const std::string kExif = Segment(0xE1, std::string("Exif\0\0II*\0\x08\0\0\0\0\0\0\0\0\0", 20));
const std::string kApp0 = Segment(0xE0, std::string("JFIF\0\x01\x02\0\0\x01\0\x01\0\0", 14));
const std::string kIptc = Segment(0xED, test::PhotoshopPayload(""));
const std::string kDqt = Segment(0xDB, std::string(65, '\x01'));
const std::string kDht = Segment(0xC4, std::string(29, '\x00'));
const std::string kSos = Segment(0xDA, std::string(10, '\x00'));

struct tScan {
  bool result;
  TimgData data;
};

// Scans bytes as a JPEG stream; the TimgData stays for inspection.
void Scan(const std::string& bytes, tScan& scan) {
  MemoryByteStream stream(bytes);
  scan.result = scan.data.ScanJpegStream(stream);
}

// The marker codes of the kept sections.
std::vector<int> Markers(const TimgData& data) {
  std::vector<int> markers;
  for (int i = 0; i < data.sectionCount; ++i)
    markers.push_back(data.sections[static_cast<std::size_t>(i)].markerCode);
  return markers;
}

TEST(ScanJpegStream, MetadataCountsWhereverItStandsBeforeTheImageData) {
  // After a JFIF header and three colour profile segments, as many cameras and editors write.
  const std::string icc = Segment(0xE2, std::string("ICC_PROFILE\0", 12) + "part");
  for (const bool exifRead : {true, false}) {
    SCOPED_TRACE(exifRead);
    tScan fifth;
    fifth.data.request.iptcAndXmp = !exifRead;
    Scan(kSoi + kApp0 + icc + icc + icc + kExif + kIptc + kSos, fifth);
    EXPECT_TRUE(fifth.result);
    EXPECT_EQ(fifth.data.exifSection, &fifth.data.sections[4]);
    EXPECT_EQ(fifth.data.iptcSection, &fifth.data.sections[5]);
  }
  // Past the 20 segments the scan keeps, the first of each takes a spare slot.
  std::string many;
  for (int i = 0; i < 24; ++i) many += icc;
  tScan late;
  late.data.request.xmpAnywhere = true;
  Scan(kSoi + many + kExif + kIptc +
           Segment(0xE1, std::string("http://ns.adobe.com/xap/1.0/\0<x/>", 33)) + kSos,
       late);
  EXPECT_TRUE(late.result);
  EXPECT_EQ(late.data.sectionCount, TimgData::kMaxScannedSections + 3);
  ASSERT_NE(late.data.exifSection, nullptr);
  EXPECT_EQ(late.data.exifSection->markerOffset, 2 + 24 * std::ssize(icc) + 1);
  EXPECT_NE(late.data.iptcSection, nullptr);
  EXPECT_NE(late.data.xmpSection, nullptr);
  // The image data ends the scan: a segment after SOS is none of the file's metadata.
  tScan after;
  Scan(kSoi + kApp0 + kSos + kExif, after);
  EXPECT_FALSE(after.result);
  EXPECT_EQ(after.data.exifSection, nullptr);
}

TEST(ScanJpegStream, StopsAtTheStartOfScan) {
  tScan scan;
  Scan(kSoi + kSos + kIptc, scan);
  EXPECT_FALSE(scan.result);
  EXPECT_EQ(scan.data.sectionCount, 1);
  EXPECT_EQ(scan.data.iptcSection, nullptr);
}

TEST(ScanJpegStream, KeepsTheFirstExifAndIptcAndTheLastCommentAndHeader) {
  const std::string app0b = Segment(0xE0, "JFXX\0x");
  tScan scan;
  Scan(kSoi + kApp0 + kExif + Segment(0xE1, "http://ns.adobe.com/xap/1.0/") + Segment(0xFE, "one") +
           app0b + Segment(0xFE, "hello") + kIptc + Segment(0xED, "second") + kSos,
       scan);
  EXPECT_TRUE(scan.result);
  // The second APP1 is dropped from the slots, so the next segment takes its place.
  EXPECT_EQ(Markers(scan.data), (std::vector<int>{0xE0, 0xE1, 0xFE, 0xE0, 0xFE, 0xED, 0xED, 0xDA}));
  EXPECT_EQ(scan.data.exifSection, &scan.data.sections[1]);
  EXPECT_EQ(scan.data.headerSection, &scan.data.sections[3]);
  EXPECT_EQ(scan.data.commentSection, &scan.data.sections[4]);
  EXPECT_EQ(scan.data.iptcSection, &scan.data.sections[5]);
  EXPECT_EQ(scan.data.commentSection->lengthField, 7);
  EXPECT_EQ(scan.data.CommentText(), "hello");
  ASSERT_NE(scan.data.iptcInfo, nullptr);
  ASSERT_NE(scan.data.exifInfo, nullptr);
}

TEST(ScanJpegStream, TheIptcSegmentIsTheFirstPhotoshopApp13) {
  const std::string adobe = Segment(0xED, std::string("Adobe_CM\0\x03", 10));
  struct Case {
    const char* what;
    std::string segments;
    int iptc;  // the slot of the IPTC section
  };
  for (const Case& c : {Case{"another writer's APP13 first", adobe + kIptc, 1},
                        Case{"the Photoshop APP13 first", kIptc + adobe, 0},
                        Case{"only another writer's", adobe, 0}}) {
    SCOPED_TRACE(c.what);
    tScan scan;
    Scan(kSoi + c.segments + kSos, scan);
    EXPECT_EQ(scan.data.iptcSection, &scan.data.sections[static_cast<std::size_t>(c.iptc)]);
  }
}

TEST(ScanJpegStream, SkipsFillBytesAndRecordsWhereEachMarkerStands) {
  const std::string bytes = kSoi + "\xFF\xFF\xFF" + kIptc + "\xFF" + kSos;
  tScan scan;
  Scan(bytes, scan);
  EXPECT_TRUE(scan.result);
  ASSERT_EQ(scan.data.sectionCount, 2);
  EXPECT_EQ(scan.data.sections[0].markerOffset, 6);
  EXPECT_EQ(scan.data.sections[1].markerOffset, static_cast<std::int64_t>(6 + kIptc.size() + 1));
}

TEST(ScanJpegStream, EndsCleanlyWhereverTheDataEnds) {
  const std::string whole = kSoi + kApp0 + kIptc + Segment(0xFE, "comment") + kSos;
  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    SCOPED_TRACE(cut);
    tScan scan;
    Scan(whole.substr(0, cut), scan);  // ASan catches any read past the data
    const bool iptcComplete = cut >= 2 + kApp0.size() + kIptc.size();
    EXPECT_EQ(scan.result, iptcComplete);
    EXPECT_EQ(scan.data.iptcSection != nullptr, iptcComplete);
  }
}

TEST(ScanJpegStream, RejectsWhatIsNotAJpegOrHasAnImpossibleLength) {
  for (const std::string& bytes : {std::string("GIF89a"), std::string("\xFF"), std::string(),
                                   kSoi + "\xFF\xE1\x00\x01" + kIptc, kSoi + "\xFF\xED\x00\x00"}) {
    tScan scan;
    Scan(bytes, scan);
    EXPECT_FALSE(scan.result);
  }
}

TEST(DecodeExifSegment, ChecksTheHeaderAndTheByteOrderMark) {
  struct Case {
    const char* what;
    std::string payload;
    bool isExif;
    const char* errStr;
    bool bigEndian;
  };
  for (const Case& c :
       {Case{"Intel", std::string("Exif\0\0II*\0\x08\0\0\0", 14), true, "", false},
        Case{"Motorola", std::string("Exif\0\0MM\0*\0\0\0\x08", 14), true, "", true},
        Case{"position 8 is not checked", std::string("Exif\0xMM\0*\0\0\0\x08", 14), true, "",
             true},
        Case{"an XMP packet is no EXIF", "http://ns.adobe.com/xap/1.0/", false, "", false},
        Case{"nor is Exif without its zero byte", "ExifMM", false, "", false},
        Case{"bad byte order", std::string("Exif\0\0XX\0*", 10), true,
             "Invalid Exif alignment marker", false}}) {
    SCOPED_TRACE(c.what);
    tScan scan;
    Scan(kSoi + Segment(0xE1, c.payload) + kSos, scan);
    EXPECT_EQ(scan.result, c.isExif);
    EXPECT_EQ(scan.data.HasExifSegment(), c.isExif);
    EXPECT_EQ(scan.data.ErrStr, c.errStr);
    EXPECT_EQ(scan.data.bigEndian, c.bigEndian);
  }
}

TEST(ScanFile, ChoosesTheScanByContentAndReportsTheOutcome) {
  test::TempDir dir;
  const std::string jpeg = test::JpegWith({kIptc});
  // The name chooses nothing: a JPEG under any name is read as one, and what is no image under
  // an image's name is not.
  test::WriteFileBytes(dir.File("upper.JPG"), jpeg);
  test::WriteFileBytes(dir.File("photo.png"), jpeg);
  test::WriteFileBytes(dir.File("no-extension"), jpeg);
  test::WriteFileBytes(dir.File("plain.jpeg"), test::TinyJpeg());
  test::WriteFileBytes(dir.File("text.tif"), "not a tiff");
  test::WriteFileBytes(dir.File("empty.jpg"), "");
  std::filesystem::create_directory(dir.File("folder.jpg"));
  struct Case {
    const char* name;
    bool result;
    const char* errStr;
  };
  for (const Case& c :
       {Case{"upper.JPG", true, "<none>"}, Case{"photo.png", true, "<none>"},
        Case{"no-extension", true, "<none>"}, Case{"plain.jpeg", false, "Not an EXIF file"},
        Case{"text.tif", false, "Not an EXIF file"}, Case{"empty.jpg", false, "Not an EXIF file"},
        Case{"missing.jpg", false, ""}, Case{"folder.jpg", false, ""}}) {
    SCOPED_TRACE(c.name);
    TimgData data;
    EXPECT_EQ(data.ScanFile(dir.File(c.name)), c.result);
    EXPECT_EQ(data.ErrStr, c.errStr);
  }
}

TEST(ScanFile, RecordsNameSizeAndDate) {
  test::TempDir dir;
  const std::string path = dir.File("a.jpg");
  const std::string jpeg = test::JpegWith({kIptc});
  test::WriteFileBytes(path, jpeg);
  TimgData data;
  ASSERT_TRUE(data.ScanFile(path));
  EXPECT_EQ(data.fileName, path);
  EXPECT_EQ(data.fileSize, static_cast<std::int64_t>(jpeg.size()));
  EXPECT_GT(data.fileDateTime, 45000.0);  // after 2023
  // Without the file's facts, the scan finds the same and the file is not looked up.
  TimgData noFacts;
  noFacts.request.fileFacts = false;
  ASSERT_TRUE(noFacts.ScanFile(path));
  EXPECT_EQ(noFacts.fileSize, 0);
  EXPECT_EQ(noFacts.fileDateTime, 0.0);
  ASSERT_NE(noFacts.iptcSection, nullptr);
  EXPECT_EQ(noFacts.iptcSection->Data(), data.iptcSection->Data());
  std::filesystem::create_directory(dir.File("folder.jpg"));
  EXPECT_FALSE(noFacts.ScanFile(dir.File("folder.jpg")));
  EXPECT_EQ(noFacts.iptcSection, nullptr);
  // A scan that ends at a marker without its length counts the slot it took: that slot does not
  // show what the scan before found there.
  const std::string cut = dir.File("cut.jpg");
  test::WriteFileBytes(cut, kSoi + kExif + "\xFF\xE0");
  ASSERT_TRUE(data.ScanFile(path));
  ASSERT_GT(data.sectionCount, 2);
  ASSERT_TRUE(data.ScanFile(cut));
  ASSERT_EQ(data.sectionCount, 2);
  EXPECT_EQ(data.sections[1].markerCode, 0);
  EXPECT_EQ(data.sections[1].markerOffset, -1);
  EXPECT_EQ(data.sections[1].Data(), "");
  // A second scan of a missing file starts from a clean state.
  EXPECT_FALSE(data.ScanFile(dir.File("none.jpg")));
  EXPECT_EQ(data.fileName, "");
  EXPECT_EQ(data.iptcSection, nullptr);
  EXPECT_EQ(data.iptcInfo, nullptr);
}

// The entries a walk found, table by table, as "name=value" lines.
std::string EntryLines(TimgData& data) {
  std::string lines;
  if (!data.exifInfo) return lines;
  for (const EntryTable table : {EntryTable::kDirectories, EntryTable::kMakerNote}) {
    data.exifInfo->RewindEntries();
    for (TTagEntry entry; data.exifInfo->NextEntryOfTable(table, entry);) {
      lines.append(entry.ShortName).append("=").append(entry.DisplayValue).append("\n");
    }
  }
  return lines;
}

// Makes a scan ask what a read asks: 0 everything, 1 what the IPTC read asks, 2 what the EXIF
// read asks.
void AskAs(int use, TimgData& data) {
  data.request.exifWalk = use != 1;
  data.request.xmpAnywhere = use == 1;
  data.request.iptcAndXmp = use != 2;
}

// A file scan views its segments in its read buffers where a scan that copies them (as a
// rewrite's does) does not: for every corpus JPEG, with what each read asks of the scan, both
// find the same segments with the same bytes and decode the same values, and the file scan
// does hold them.
TEST(ScanFile, HoldsTheSegmentsInItsReadBuffersWithTheBytesACopyWouldHave) {
  int held = 0, files = 0;
  for (const test::tCorpusFile& corpus : test::CorpusFiles()) {
    if (test::CorpusFormat(corpus.file) != FileFormat::kJpeg) continue;
    SCOPED_TRACE(corpus.file);
    const std::string path = test::CorpusFile(corpus.file);
    const std::string bytes = test::ReadFileBytes(path);
    ++files;
    // As read: everything; as the IPTC read asks; as the EXIF read asks.
    for (const int use : {0, 1, 2}) {
      TimgData fromFile, inMemory;
      AskAs(use, fromFile);
      AskAs(use, inMemory);
      inMemory.request.viewInBuffers = false;
      const bool found = fromFile.ScanFile(path);
      MemoryByteStream stream(bytes);
      EXPECT_EQ(found, inMemory.ScanJpegStream(stream)) << use;
      ASSERT_EQ(fromFile.sectionCount, inMemory.sectionCount) << use;
      for (int i = 0; i < fromFile.sectionCount; ++i) {
        const tSection& a = fromFile.sections[static_cast<std::size_t>(i)];
        const tSection& b = inMemory.sections[static_cast<std::size_t>(i)];
        EXPECT_EQ(a.markerCode, b.markerCode) << use << " " << i;
        EXPECT_EQ(a.markerOffset, b.markerOffset) << use << " " << i;
        // A held segment is whole even where the copy leaves out what that read does not need.
        if (a.held.data() != nullptr) {
          ++held;
          EXPECT_EQ(a.Data().substr(0, b.Data().size()), b.Data()) << use << " " << i;
          EXPECT_EQ(a.Data().size(), static_cast<std::size_t>(a.lengthField)) << use << " " << i;
        } else {
          EXPECT_EQ(a.Data(), b.Data()) << use << " " << i;
        }
      }
      EXPECT_EQ(fromFile.exifSection == nullptr, inMemory.exifSection == nullptr) << use;
      if (use != 1 && fromFile.exifSection != nullptr) {
        EXPECT_EQ(fromFile.exifSection->Data(), inMemory.exifSection->Data()) << use;
        EXPECT_EQ(EntryLines(fromFile), EntryLines(inMemory)) << use;
      }
      if (use != 2) {
        std::string joinedA, joinedB;
        EXPECT_EQ(fromFile.IptcBlockView(joinedA), inMemory.IptcBlockView(joinedB)) << use;
        EXPECT_EQ(fromFile.xmpSection == nullptr, inMemory.xmpSection == nullptr) << use;
        if (fromFile.xmpSection != nullptr) {
          EXPECT_EQ(fromFile.xmpSection->Data(), inMemory.xmpSection->Data()) << use;
        }
      }
    }
  }
  EXPECT_GT(files, 100);
  EXPECT_GT(held, 3 * files);
}

// What a read takes from a scan, as text: the outcome, the file's facts, where each kept segment
// stands, and the bytes and entries that read uses (see AskAs).
std::string Findings(TimgData& data, int use) {
  std::string text = data.ErrStr + "|" + data.fileName + "|" + std::to_string(data.fileSize) + "|" +
                     std::to_string(data.fileDateTime) + "\n";
  for (int i = 0; i < data.sectionCount; ++i) {
    const tSection& s = data.sections[static_cast<std::size_t>(i)];
    text += std::to_string(s.markerCode) + "@" + std::to_string(s.markerOffset) + "\n";
  }
  if (use != 1 && data.exifSection != nullptr)
    text.append(data.exifSection->Data()).append(EntryLines(data));
  if (use != 2) {
    std::string joined;
    text.append(data.IptcBlockView(joined));
    if (data.xmpSection != nullptr) text.append(data.xmpSection->Data());
  }
  return text;
}

// A scan that knows how far the last one read only reads differently: for every corpus JPEG
// read as a script reads it (the IPTC, then the EXIF), and for a file replaced between two
// scans by one of the same size and time stamp whose leading segments end elsewhere, it finds
// what a scan that knows nothing finds.
TEST(ScanFile, KnowingTheLastScanFindsWhatAFreshScanFinds) {
  tScanMemory memory;
  std::vector<std::pair<std::int64_t, std::string>> reaches;  // how far the EXIF read went
  for (const test::tCorpusFile& corpus : test::CorpusFiles()) {
    if (!test::IsJpegName(corpus.file)) continue;
    SCOPED_TRACE(corpus.file);
    const std::string path = test::CorpusFile(corpus.file);
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path));
    bool found = false;
    for (const int use : {1, 2}) {
      TimgData knowing, fresh;
      AskAs(use, knowing);
      AskAs(use, fresh);
      knowing.scanMemory = &memory;
      found = knowing.ScanFile(path);
      EXPECT_EQ(found, fresh.ScanFile(path)) << use;
      EXPECT_EQ(Findings(knowing, use), Findings(fresh, use)) << use;
      EXPECT_EQ(memory.fileName, path);
      EXPECT_GE(memory.reach, std::min<std::int64_t>(size, 2)) << use;  // SOI at the least
      EXPECT_LE(memory.reach, size) << use;
    }
    if (found) reaches.emplace_back(memory.reach, path);
  }
  ASSERT_GT(reaches.size(), 100u);
  std::sort(reaches.begin(), reaches.end());
  // Of the files with EXIF: the longest leading part under 64 KB, and the shortest.
  const auto longest =
      std::find_if(reaches.rbegin(), reaches.rend(), [](const auto& r) { return r.first < 65536; });
  ASSERT_NE(longest, reaches.rend());
  ASSERT_GT(longest->first, 16384);
  const std::string shortest = reaches.front().second;
  ASSERT_LT(reaches.front().first, 16384);

  test::TempDir dir;
  const std::string path = dir.File("a.jpg");
  std::string first = test::ReadFileBytes(longest->second), second = test::ReadFileBytes(shortest);
  // Bytes after the end of the image change no scan: both versions get the same size.
  const std::size_t size = std::max(first.size(), second.size());
  first.resize(size, '\0');
  second.resize(size, '\0');
  // One container for every scan, as a caller may keep one.
  TimgData knowing;
  AskAs(2, knowing);
  knowing.scanMemory = &memory;
  for (const auto& [before, after] : {std::pair{first, second}, {second, first}}) {
    test::WriteFileBytes(path, before);
    const auto stamp = std::filesystem::last_write_time(path);
    knowing.ScanFile(path);
    const std::string beforeFound = Findings(knowing, 2);
    test::WriteFileBytes(path, after);
    std::filesystem::last_write_time(path, stamp);
    TimgData fresh;
    AskAs(2, fresh);
    EXPECT_EQ(knowing.ScanFile(path), fresh.ScanFile(path));
    EXPECT_EQ(knowing.fileDateTime, fresh.fileDateTime);
    EXPECT_NE(Findings(knowing, 2), beforeFound);
    EXPECT_EQ(Findings(knowing, 2), Findings(fresh, 2));
  }
  // A file that does not open leaves nothing to know.
  EXPECT_FALSE(knowing.ScanFile(dir.File("none.jpg")));
  EXPECT_EQ(memory.reach, 0);
}

#ifdef __linux__
// The EXIF read after the IPTC read of a file whose leading segments run past the first read's
// 16 KB reads them in one read, where a scan that knows nothing takes two.
TEST(ScanFile, ASecondScanOfTheSameFileReadsItsLeadingSegmentsInOneRead) {
  if (test::ProcessIoCount("syscr:") < 0) GTEST_SKIP() << "the kernel does not count read calls";
  test::TempDir dir;
  const std::string path = dir.File("a.jpg");
  test::WriteFileBytes(
      path, test::JpegWith({Segment(0xE1, std::string("Exif\0\0II*\0\x08\0\0\0\0\0\0\0\0\0", 20) +
                                              std::string(20000, '\0'))}));
  const auto reads = [&](TimgData& data) {
    return test::ReadCallsOf([&] { EXPECT_TRUE(data.ScanFile(path)); });
  };
  tScanMemory memory;
  TimgData iptcRead, exifRead, alone;
  AskAs(1, iptcRead);
  AskAs(2, exifRead);
  AskAs(2, alone);
  iptcRead.scanMemory = exifRead.scanMemory = &memory;
  EXPECT_GE(reads(iptcRead), 2);
  EXPECT_EQ(reads(exifRead), 1);
  EXPECT_GE(reads(alone), 2);
  EXPECT_EQ(Findings(exifRead, 2), Findings(alone, 2));
}
#endif

TEST(ScanTiffView, WalksTheDirectoriesWhereTheyStandInTheWholeFile) {
  // As libtiff writes them: the image data first, IFD0 at the end, here past the first megabyte.
  constexpr std::uint32_t at = (1 << 20) + 8;
  std::string tiff("MM\0*\0\x10\0\x08", 8);
  tiff += std::string(at - 8, '\x55') + test::Ifd().Ascii(0x010F, "Scanner Co").Layout(true, at);
  TimgData data;
  ASSERT_TRUE(data.ScanTiffView(tiff));
  EXPECT_TRUE(data.exifInfo->bigEndian);
  EXPECT_TRUE(data.exifInfo->tiffSource);
  EXPECT_EQ(data.exifInfo->DisplayValueOf("Make"), "Scanner Co");
  for (const std::string& bad : {std::string("XX\0*\0\0\0\x08"), std::string("II*")}) {
    TimgData other;
    EXPECT_FALSE(other.ScanTiffView(bad));
  }
}

TEST(DateTime, CountsDaysFrom1899AndDropsOddSeconds) {
  EXPECT_DOUBLE_EQ(DosDateTime(1899, 12, 30, 0, 0, 0), 0.0);
  EXPECT_DOUBLE_EQ(DosDateTime(2004, 5, 6, 12, 0, 1), 38113.5);
  EXPECT_DOUBLE_EQ(DosDateTime(2000, 3, 1, 0, 0, 0), 36586.0);
  for (const auto& [y, m, d] :
       {std::tuple{2004, 5, 6}, {2000, 2, 29}, {1899, 12, 30}, {2100, 12, 31}}) {
    const tDate date = DateOf(DosDateTime(y, m, d, 23, 59, 59));
    EXPECT_EQ(std::tuple(date.year, date.month, date.day), std::tuple(y, m, d));
  }
  // Before 1899-12-30 the count is negative and the time of day still counts forwards: six in
  // the evening of the 29th is -0.25, and its day is the 29th, not the 30th.
  for (const auto& [value, day] :
       {std::pair{-0.25, 29}, {-1.0, 29}, {-1.75, 28}, {-0.0, 30}, {0.999, 30}}) {
    SCOPED_TRACE(value);
    const tDate date = DateOf(value);
    EXPECT_EQ(std::tuple(date.year, date.month, date.day), std::tuple(1899, 12, day));
  }
}

}  // namespace
}  // namespace dux
