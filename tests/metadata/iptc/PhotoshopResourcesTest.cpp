#include "metadata/iptc/PhotoshopResources.h"

#include <gtest/gtest.h>

#include "tests/support/JpegBuilder.h"

namespace dux {
namespace {

using test::Dataset;
using test::Resource;

TEST(PhotoshopResources, ReadsEveryResourceAndEncodesThemBackAsTheyStood) {
  const std::string resolution = Resource(0x03ED, std::string(16, '\x01'));
  const std::string odd = Resource(0x0406, "abc", "name");  // odd data and a named resource
  const std::string iptc = Resource(0x0404, Dataset(2, 80, "Anna"));
  const std::string other =
      Resource(0x0BB7, "xy").replace(0, 4, "PHUT");  // another writer's signature
  const std::string block = resolution + iptc + odd + other;
  const auto resources = ParseImageResources(block);
  ASSERT_TRUE(resources.has_value());
  ASSERT_EQ(resources->size(), 4u);
  EXPECT_EQ((*resources)[1].id, kIptcResource);
  EXPECT_EQ((*resources)[1].data, Dataset(2, 80, "Anna"));
  EXPECT_EQ((*resources)[2].data, "abc");
  // A reader views each resource where it stands: the third's head starts after the first two.
  const tResourceRun run = ReadImageResources(block);
  ASSERT_EQ(run.resources.size(), 4u);
  EXPECT_EQ(run.resources[2].head.data(), block.data() + resolution.size() + iptc.size());
  EXPECT_EQ(run.resources[2].head,
            odd.substr(0, 12));  // signature, id, name of four and its pad byte
  EXPECT_EQ(run.resources[2].data.data(), block.data() + resolution.size() + iptc.size() + 16);
  EXPECT_TRUE(run.resources[1].IsPhotoshops(kIptcResource));
  EXPECT_FALSE(run.resources[3].IsPhotoshops(0x0BB7));  // another writer's signature
  EXPECT_EQ(EncodeImageResources(*resources), block);
  EXPECT_EQ(EncodeImageResources({MakeImageResource(kUrlListResource, "u")}),
            Resource(kUrlListResource, "u"));  // padded
}

TEST(PhotoshopResources, ZeroPaddingAndAMissingLastPadByteAreNoFault) {
  const std::string urls = Resource(0x040B, "http://x");
  const std::string block = urls + std::string(3, '\0');
  const auto padded = ReadImageResources(block);
  ASSERT_EQ(padded.resources.size(), 1u);
  EXPECT_TRUE(padded.unparsed.empty());
  std::string last = Resource(0x0406, "abc");
  last.pop_back();  // the writer left out the pad byte at the very end
  const auto resources = ParseImageResources(last);
  ASSERT_TRUE(resources.has_value());
  EXPECT_EQ(EncodeImageResources(*resources), last + '\0');
}

TEST(PhotoshopResources, ABlockThatStopsParsingGivesWhatCameBeforeAndTheRestAsItStands) {
  const std::string good = Resource(0x03ED, "12345678");
  std::string overrun = Resource(0x0406, "abcd");
  overrun[8] = '\x40';  // the size says far more than there is
  struct Case {
    const char* what;
    std::string rest;
  };
  for (const Case& c :
       {Case{"an unknown signature", "ABCD" + good.substr(4)}, Case{"data past the end", overrun},
        Case{"a head cut short", "8BIM\x04\x06"}, Case{"junk", "xy"}}) {
    SCOPED_TRACE(c.what);
    const std::string block = good + c.rest;  // the run's views point into it
    const auto run = ReadImageResources(block);
    ASSERT_EQ(run.resources.size(), 1u);
    EXPECT_EQ(run.resources[0].data, "12345678");
    EXPECT_EQ(run.unparsed, c.rest);
    EXPECT_FALSE(ParseImageResources(block).has_value());
  }
  EXPECT_TRUE(ParseImageResources("").has_value());
}

TEST(PhotoshopResources, SegmentsJoinIntoABlockOnlyWhereAResourceRunsAcrossTheBoundary) {
  const std::string iptc = Resource(kIptcResource, Dataset(2, 90, "Rome"));
  const std::string other = Resource(0x03ED, std::string(16, 'r')), odd = Resource(0x0406, "abc");
  const std::string split = other + iptc;  // cut inside the IPTC resource below
  struct Case {
    const char* what;
    std::vector<std::string> payloads;
    tBlockSpan span;
  };
  for (const Case& c : {
           Case{"one block in two segments", {split.substr(0, 20), split.substr(20)}, {0, 2, true}},
           Case{"two whole blocks, the IPTC in the second", {other, iptc}, {1, 1, true}},
           Case{"two whole blocks, the IPTC in the first", {iptc, other}, {0, 1, true}},
           Case{"no IPTC: the first block", {other, odd}, {0, 1, false}},
           Case{"the pad byte of the last resource starts the next segment",
                {odd.substr(0, odd.size() - 1), odd.substr(odd.size() - 1) + iptc},
                {0, 2, true}},
           Case{"a whole block before bytes that do not parse", {iptc, "garbage"}, {0, 1, true}},
           Case{"the first does not parse with any after it", {"garbage", iptc}, {0, 0, false}},
       }) {
    SCOPED_TRACE(c.what);
    const std::vector<std::string_view> views(c.payloads.begin(), c.payloads.end());
    const tBlockSpan span = IptcBlockSpan(views);
    EXPECT_EQ(span.first, c.span.first);
    EXPECT_EQ(span.count, c.span.count);
    EXPECT_EQ(span.holdsIptc, c.span.holdsIptc);
  }
}

TEST(PhotoshopResources, ALargeBlockIsSplitIntoSegmentsThatJoinBackToIt) {
  const std::string block = Resource(0x040C, std::string(2 * kMaxResourceBytesPerSegment, 't'));
  const std::vector<std::string> payloads = SplitIntoPayloads(block);
  ASSERT_EQ(payloads.size(), 3u);
  std::string joined;
  for (const std::string& payload : payloads) {
    ASSERT_TRUE(payload.starts_with(kPhotoshopSignature));
    EXPECT_LE(payload.size() - kPhotoshopSignature.size(), kMaxResourceBytesPerSegment);
    joined += payload.substr(kPhotoshopSignature.size());
  }
  EXPECT_EQ(joined, block);
  EXPECT_EQ(SplitIntoPayloads(""), std::vector<std::string>{std::string(kPhotoshopSignature)});
}

}  // namespace
}  // namespace dux
