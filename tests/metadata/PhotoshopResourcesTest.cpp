#include "metadata/PhotoshopResources.h"

#include <gtest/gtest.h>

#include "tests/support/JpegBuilder.h"

namespace dux {
namespace {

using test::Dataset;
using test::PhotoshopPayload;
using test::Resource;

// Section bytes as TimgData keeps them: the length field, then the payload.
std::string Section(const std::string& payload) { return test::Segment(0xED, payload).substr(2); }

TEST(PhotoshopResources, KeepsEveryResourceButIptcInOrder) {
  const std::string resolution = Resource(0x03ED, std::string(16, '\x01'));
  const std::string odd = Resource(0x0406, "abc", "name");  // odd data and a named resource
  const std::string iptc = Resource(0x0404, Dataset(2, 80, "Anna"));
  const auto kept = OtherImageResources(Section(PhotoshopPayload(resolution + iptc + odd)));
  EXPECT_EQ(kept.bytes, resolution + odd);
  EXPECT_FALSE(kept.hasUrlList);
}

TEST(PhotoshopResources, NotesAUrlListAndToleratesZeroPadding) {
  const std::string urls = Resource(0x040B, "http://x");
  const auto kept = OtherImageResources(Section(PhotoshopPayload(urls + std::string(3, '\0'))));
  EXPECT_EQ(kept.bytes, urls);
  EXPECT_TRUE(kept.hasUrlList);
}

TEST(PhotoshopResources, AddsTheMissingPadOfALastOddResource) {
  std::string last = Resource(0x0406, "abc");
  last.pop_back();  // the writer left out the pad byte at the very end
  EXPECT_EQ(OtherImageResources(Section(PhotoshopPayload(last))).bytes, last + '\0');
}

TEST(PhotoshopResources, ASectionThatDoesNotParseKeepsNothing) {
  const std::string good = Resource(0x03ED, "12345678");
  std::string overrun = Resource(0x0406, "abcd");
  overrun[8] = '\x40';  // the size says far more than there is
  struct Case {
    const char* what;
    std::string section;
  };
  for (const Case& c : {Case{"other signature", Section(PhotoshopPayload(good + "DCSR" + good.substr(4)))},
                        Case{"data past the end", Section(PhotoshopPayload(good + overrun))},
                        Case{"no Photoshop signature", Section("Adobe_CM" + good)},
                        Case{"junk after the resources", Section(PhotoshopPayload(good + "xy"))},
                        Case{"empty section", std::string("\x00\x02", 2)}}) {
    SCOPED_TRACE(c.what);
    const auto kept = OtherImageResources(c.section);
    EXPECT_EQ(kept.bytes, "");
    EXPECT_FALSE(kept.hasUrlList);
  }
}

}  // namespace
}  // namespace dux
