// The largest inputs the formats allow, built to make a careless reader do the most work: the
// allocations, their bytes and the memory held must stay in proportion to the bytes read.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "metadata/TimgData.h"
#include "metadata/bytes/ByteStream.h"
#include "metadata/iptc/TIPTCdata.h"
#include "platform/FormatError.h"
#include "tests/support/AllocationCounter.h"
#include "tests/support/IptcRewrite.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/TempDir.h"
#include "tests/support/TiffBuilder.h"

namespace dux {
namespace {

std::string Le16(std::uint32_t v) { return test::Bytes16(v, false); }
std::string Le32(std::uint32_t v) { return test::Bytes32(v, false); }
std::string Entry(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t value) {
  return test::RawEntry(tag, type, count, value, false);
}

// A 64 KB APP1 whose IFD0 is `n` entries, then `data`, then filler to the segment's end.
std::string ExifApp1Of(const std::function<std::string(int)>& entry, int n,
                       const std::string& data = "") {
  std::string tiff = std::string("II*\0", 4) + Le32(8) + Le16(static_cast<unsigned>(n));
  for (int i = 0; i < n; ++i) tiff += entry(i);
  tiff += Le32(0) + data;
  tiff.resize(65535 - 8, 'x');
  return test::Segment(0xE1, std::string("Exif\0\0", 6) + tiff);
}

// Runs `work` on an input of `bytes` bytes and checks that what it allocates stays in proportion
// to them: a read that trusted a claimed size, or built a value by quadratic copying, would hold
// or ask for many times the input.
void ExpectBounded(const std::string& what, std::size_t bytes, const std::function<void()>& work) {
  SCOPED_TRACE(what);
  test::tAllocations used;
  {
    test::AllocationCounter counter;
    work();
    used = counter.Totals();
  }
  const auto input = static_cast<std::int64_t>(bytes);
  EXPECT_LT(used.peakLiveBytes, 64 * input + (1 << 20));
  EXPECT_LT(used.bytes, 256 * input + (1 << 20));
  EXPECT_LT(used.count, input);
}

void Scan(const std::string& jpeg) {
  TimgData image;
  MemoryByteStream stream(jpeg);
  image.ScanJpegStream(stream);
  if (image.iptcSection != nullptr) image.iptcInfo->ParseSegment(image.iptcSection->Data());
  if (image.HasThumbnail()) image.exifInfo->ParseThumbnailDirectory();
}

TEST(ResourceBounds, SixtyFiveThousandKeywordDatasets) {
  std::string datasets;
  for (unsigned i = 0; i < 65535; ++i)
    datasets +=
        test::Dataset(2, 25, std::string{static_cast<char>(i >> 8), static_cast<char>(i & 0xFF)});
  const std::string section =
      test::Segment(0xED, test::PhotoshopPayload(test::Resource(0x0404, datasets))).substr(2);
  ExpectBounded("one parse", section.size(), [&] {
    TIPTCdata data;
    data.ParseSegment(section);
    EXPECT_EQ(data.Count(), 1);
    EXPECT_GT(data.ValueOf("Keywords", "").size(), 65535u);
  });
  const std::string jpeg =
      "\xFF\xD8" + test::Segment(0xED, test::PhotoshopPayload(
                                           test::Resource(0x0404, datasets.substr(0, 65000))));
  ExpectBounded("a full APP13", jpeg.size(), [&] { Scan(jpeg); });
}

TEST(ResourceBounds, A64KbApp1FullOfEntries) {
  const int n = (65535 - 8 - 8 - 2 - 4) / 12;
  // Every entry a 60 000-character text at the same place: the values overlap.
  ExpectBounded("overlapping values", 65535, [&] {
    Scan("\xFF\xD8" + ExifApp1Of([](int) { return Entry(0x010E, 2, 60000, 8); }, n));
  });
  // Every entry a pointer to a sub-directory one entry further on.
  ExpectBounded("sub-directories everywhere", 65535, [&] {
    Scan("\xFF\xD8" +
         ExifApp1Of(
             [](int i) { return Entry(0x8769, 4, 1, static_cast<std::uint32_t>(10 + 12 * i + 2)); },
             n));
  });
  // A Canon note at the start of the data, named by every entry.
  const int m = n - 1;  // room for "Canon"
  const std::string canon = "\xFF\xD8" + ExifApp1Of(
                                             [&](int i) {
                                               return i == 0
                                                          ? Entry(0x010F, 2, 6, 8 + 2 + 12 * m + 4)
                                                          : Entry(0x927C, 7, 60000, 8);
                                             },
                                             m, std::string("Canon\0", 6));
  ExpectBounded("maker notes everywhere", 65535, [&] {
    TimgData image;
    MemoryByteStream stream(canon);
    image.ScanJpegStream(stream);
    EXPECT_EQ(image.exifInfo->cameraMake, "Canon");
    EXPECT_TRUE(image.exifInfo->makerNoteDecoded);
  });
}

TEST(ResourceBounds, TwentySegmentsOf64Kb) {
  std::string jpeg = "\xFF\xD8";
  for (int i = 0; i < 20; ++i)
    jpeg += test::Segment(static_cast<std::uint8_t>(0xE2 + i % 10), std::string(65533, 'x'));
  ExpectBounded("a scan", jpeg.size(), [&] { Scan(jpeg); });
}

// A write holds the segments it rewrites, and reads the rest from the source as it writes it:
// what it holds at once does not grow with the file, nor with the segments it copies.
TEST(ResourceBounds, AWriteHoldsWhatItRewritesAndNoMore) {
  test::TempDir dir;
  const std::string out = dir.File("out.jpg");
  constexpr std::int64_t kMb = 1 << 20;
  const std::string tail = test::ImageTail(test::TinyJpeg());
  const std::string exif = test::Segment(0xE1, std::string("Exif\0\0", 6) +
                                                   test::Ifd().Ascii(0x010F, "Maker").Tiff(false) +
                                                   std::string(60000, '\0'));
  struct Case {
    const char* what;
    std::int64_t size;
    std::vector<std::pair<std::int64_t, std::string>> pieces;
    bool written;
  };
  // 64 APP15 and 64 APP2 segments of 64 KB (8 MB, all a write takes of them), then 32 MB of image
  // data; 300 MB of APP15 segments, which the write refuses after the 65th.
  std::vector<std::pair<std::int64_t, std::string>> most = {{0, "\xFF\xD8" + exif}};
  std::int64_t at = 2 + static_cast<std::int64_t>(exif.size());
  for (int i = 0; i < 128; ++i, at += 65537)
    most.emplace_back(at, std::string(i % 2 == 0 ? "\xFF\xEF\xFF\xFF" : "\xFF\xE2\xFF\xFF"));
  most.emplace_back(at, tail);
  std::vector<std::pair<std::int64_t, std::string>> app15 = {{0, "\xFF\xD8"}};
  for (std::int64_t to = 2; to + 65537 <= 300 * kMb; to += 65537)
    app15.emplace_back(to, "\xFF\xEF\xFF\xFF");
  for (const Case& c : {Case{"8 MB of segments and 32 MB of image data",
                             at + static_cast<std::int64_t>(tail.size()) + 32 * kMb, most, true},
                        Case{"300 MB of APP15 segments", 300 * kMb, app15, false}}) {
    SCOPED_TRACE(c.what);
    const std::string in = dir.File("in.jpg");
    test::WriteSparseFile(in, c.size, c.pieces);
    test::tAllocations used;
    bool written = true;
    {
      test::AllocationCounter counter;
      try {
        test::RewriteIptc(in, out, {{"City", "Rome"}});
      } catch (const FormatError&) {
        written = false;
      }
      used = counter.Totals();
    }
    EXPECT_EQ(written, c.written);
    // The segments it rewrites (64 KB each at the most), the 256 KB it writes at a time.
    EXPECT_LT(used.peakLiveBytes, kMb);
    std::filesystem::remove(in);
    std::filesystem::remove(out);
  }
}

}  // namespace
}  // namespace dux
