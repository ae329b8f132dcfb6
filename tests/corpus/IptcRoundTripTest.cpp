// duxIPTCwrite on every JPEG of the corpus, read back with our reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "metadata/TimgData.h"
#include "metadata/bytes/ByteStream.h"
#include "metadata/iptc/PhotoshopResources.h"
#include "metadata/jpeg/JpegImage.h"
#include "metadata/jpeg/JpegMarkers.h"
#include "metadata/xmp/XmpPacket.h"
#include "tests/corpus/IptcCorpus.h"
#include "tests/support/Corpus.h"
#include "tests/support/JpegBuilder.h"

namespace dux::test {
namespace {

// The Photoshop resource block of a JPEG's leading segments, as the write finds it.
tPhotoshopRun PhotoshopRunOf(const std::string& jpeg) {
  return TimgData::FindPhotoshopRun(JpegImage::FromBytes(jpeg, "in memory"));
}

// The resources but the IPTC block, as (head, data) pairs.
std::vector<std::pair<std::string, std::string>> OtherResources(const tPhotoshopRun& run) {
  std::vector<std::pair<std::string, std::string>> out;
  for (const tImageResource& r : run.resources) {
    if (r.id != kIptcResource) out.emplace_back(r.head, r.data);
  }
  return out;
}

bool Contains(const std::vector<std::string>& segments, const std::string& segment) {
  return std::find(segments.begin(), segments.end(), segment) != segments.end();
}

// The EXIF APP1 comes back whole but for its stored image size, which the write sets to the
// frame's: at most the two 4-byte value fields differ.
bool ContainsPatchedExif(const std::vector<std::string>& segments, const std::string& exif) {
  for (const std::string& s : segments) {
    if (s.size() != exif.size() || s.compare(0, 10, exif, 0, 10) != 0) continue;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < s.size(); ++i) differing += s[i] != exif[i];
    if (differing <= 8) return true;
  }
  return false;
}

bool IsXmp(std::string_view segment) { return segment.substr(4).starts_with(kXmpSignature); }

// The image itself: the segments after the leading run but its APPn and COM (an XMP packet after
// the tables is rewritten in place), then the data from the start of scan.
std::string ImagePart(const std::string& jpeg) {
  std::int64_t tail = 2;
  FindLeadingSegments(jpeg, &tail);
  std::string out;
  MemoryByteStream stream(std::string_view(jpeg).substr(static_cast<std::size_t>(tail)));
  tMarker marker;
  std::int32_t length = 0;
  std::int64_t at = 0;
  while (NextMarker(stream, kDecoderPolicy, marker) && marker.code != 0xDA &&
         HasLengthField(kDecoderPolicy, marker.code) && ReadLengthField(stream, length) &&
         length >= 2 &&
         stream.Skip(static_cast<std::size_t>(length - 2)) ==
             static_cast<std::size_t>(length - 2)) {
    if (!IsAppOrComment(marker.code))
      out += jpeg.substr(static_cast<std::size_t>(tail + at),
                         static_cast<std::size_t>(stream.Position() - at));
    at = stream.Position();
  }
  return out + jpeg.substr(static_cast<std::size_t>(tail + at));
}

void CheckCopy(LoadedPlugin& plugin, const std::string& sourceBytes, const std::string& copy) {
  const std::string copyBytes = ReadFileBytes(copy);
  // The image data, and every segment after the leading metadata but APPn and COM, byte for byte.
  EXPECT_TRUE(ImagePart(copyBytes) == ImagePart(sourceBytes)) << "image data changed";
  // Every leading APPn but APP0, XMP and the Photoshop block's APP13s survives whole (COM and
  // other APP13s included).
  const auto written = LeadingSegments(copyBytes);
  const tPhotoshopRun before = PhotoshopRunOf(sourceBytes);
  const auto sourceSegments = FindLeadingSegments(sourceBytes);
  for (std::size_t i = 0; i < sourceSegments.size(); ++i) {
    const std::string segment = sourceBytes.substr(
        static_cast<std::size_t>(sourceSegments[i].start),
        static_cast<std::size_t>(sourceSegments[i].end - sourceSegments[i].start));
    const auto marker = static_cast<unsigned char>(sourceSegments[i].marker);
    const bool inBlock = std::count(before.markerOffsets.begin(), before.markerOffsets.end(),
                                    sourceSegments[i].markerOffset) > 0;
    if (marker == 0xE0 || inBlock || IsXmp(segment)) continue;
    const bool isExif = marker == 0xE1 && segment.compare(4, 6, std::string("Exif\0\0", 6)) == 0;
    EXPECT_TRUE(Contains(written, segment) || (isExif && ContainsPatchedExif(written, segment)))
        << "lost a segment with marker " << std::hex << +marker;
  }
  // The other Photoshop resources stay, in their order; an empty URL list stands in for a
  // missing one. The IPTC digest has its own rule (tested with the XMP).
  auto expectedResources = OtherResources(before);
  if (std::none_of(before.resources.begin(), before.resources.end(),
                   [](const tImageResource& r) { return r.id == kUrlListResource; })) {
    expectedResources.emplace_back(std::string("8BIM\x04\x0B\0\0", 8), "");
  }
  auto writtenResources = OtherResources(PhotoshopRunOf(copyBytes));
  for (auto* list : {&expectedResources, &writtenResources}) {
    std::erase_if(*list,
                  [](const auto& r) { return r.first == std::string("8BIM\x04\x25\0\0", 8); });
  }
  EXPECT_TRUE(writtenResources == expectedResources) << "other image resources changed";
  // Reading gives back exactly what was written, after the limits.
  plugin.Host().setCalls.clear();
  EXPECT_TRUE(plugin.Run(1, {copy}));
  const auto expected = RoundTripExpected();
  for (const auto& [name, value] : plugin.Host().setCalls) {
    if (name == "[duxIPTC_XMP]") continue;  // as the source has a packet or not
    EXPECT_EQ(value, expected.at(name)) << name;
  }
}

TEST(IptcRoundTrip, EveryCorpusJpegKeepsItsImageAndReadsBackWhatWasWritten) {
  LoadedPlugin plugin;
  int written = 0;
  for (const tCorpusFile& corpus : CorpusFiles()) {
    if (!IsJpegName(corpus.file)) continue;
    SCOPED_TRACE(corpus.file);
    const std::string source = CorpusFile(corpus.file);
    const std::string sourceBytes = ReadFileBytes(source);
    TempDir dir;
    const std::string copy = dir.File("copy.jpg"), again = dir.File("again.jpg");
    const bool unwritable =
        std::count(UnwritableCorpusJpegs().begin(), UnwritableCorpusJpegs().end(), corpus.file) > 0;
    const bool ok = WriteRoundTrip(plugin, source, copy);
    EXPECT_EQ(ReadFileBytes(source), sourceBytes) << "the source changed";
    if (unwritable) {
      EXPECT_FALSE(ok);
      EXPECT_NE(plugin.Host().variables["[LastError]"].find(source), std::string::npos);
      EXPECT_EQ(dir.Listing(), "");
      continue;
    }
    if (!ok) {
      ADD_FAILURE() << plugin.Host().variables["[LastError]"];
      continue;
    }
    ++written;
    CheckCopy(plugin, sourceBytes, copy);
    // Writing the copy again with the same variables changes nothing.
    EXPECT_TRUE(WriteRoundTrip(plugin, copy, again));
    EXPECT_TRUE(ReadFileBytes(again) == ReadFileBytes(copy)) << "a second write differs";
  }
  EXPECT_GT(written, 90);
}

}  // namespace
}  // namespace dux::test
