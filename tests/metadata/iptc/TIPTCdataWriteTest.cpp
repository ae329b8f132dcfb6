#include <gtest/gtest.h>

#include <string>

#include "metadata/iptc/TIPTCdata.h"
#include "platform/FormatError.h"
#include "tests/support/JpegBuilder.h"

namespace dux {
namespace {

using test::Dataset;

const std::string kHead("Photoshop 3.0\0" "8BIM\x04\x04\0\0\0\0", 24);
const std::string kVersion("\x1C\x02\x00\x00\x02\x00\x02", 7);
const std::string kEmptyUrlList("8BIM\x04\x0B\0\0\0\0\0\0", 12);

TEST(IptcPayload, AnEmptyListGivesTheFortySixByteBlock) {
  const TIPTCdata data;
  const std::string payload = data.BuildSegmentPayload();
  EXPECT_EQ(payload, kHead + std::string("\x00\x08", 2) + kVersion + std::string(1, '\0') + kEmptyUrlList);
  EXPECT_EQ(payload.size(), 46u);
}

TEST(IptcPayload, AnOddBodyNeedsNoPadByte) {
  TIPTCdata data;
  data.SetValue("ByLine", "Anna");
  EXPECT_EQ(data.BuildSegmentPayload(),
            kHead + std::string("\x00\x10", 2) + kVersion + Dataset(2, 80, "Anna") + kEmptyUrlList);
}

TEST(IptcPayload, WritesOneDatasetPerListItem) {
  struct Case {
    const char* list;
    std::string datasets;
  };
  for (const Case& c : {
           Case{"a, b,c", Dataset(2, 25, "a") + Dataset(2, 25, "b") + Dataset(2, 25, "c")},
           Case{"New York", Dataset(2, 25, "New York")},
           Case{"\"Smith, John\", x", Dataset(2, 25, "Smith, John") + Dataset(2, 25, "x")},
           Case{"a,,b", Dataset(2, 25, "a") + Dataset(2, 25, "") + Dataset(2, 25, "b")},
           Case{"a,", Dataset(2, 25, "a")},
           Case{"   ", ""},
       }) {
    SCOPED_TRACE(c.list);
    EXPECT_EQ(TIPTCdata::EncodeListDatasets(2, 25, c.list), c.datasets);
  }
}

TEST(IptcPayload, KeepsOtherResourcesInsteadOfTheEmptyUrlList) {
  TIPTCdata data;
  data.SetValue("City", "Rome");
  const std::string others = test::Resource(0x03ED, "12345678") + test::Resource(0x040B, "u");
  const std::string payload = data.BuildSegmentPayload(others, true);
  EXPECT_EQ(payload.substr(payload.size() - others.size()), others);
  EXPECT_EQ(payload.find(kEmptyUrlList), std::string::npos);
  const std::string withoutUrls = data.BuildSegmentPayload(others.substr(0, 20), false);
  EXPECT_EQ(withoutUrls.substr(withoutUrls.size() - 32), others.substr(0, 20) + kEmptyUrlList);
}

TEST(IptcPayload, RefusesWhatASegmentCannotHold) {
  EXPECT_THROW(TIPTCdata::EncodeDataset(2, 120, std::string(65536, 'x')), FormatError);
  EXPECT_EQ(TIPTCdata::EncodeDataset(2, 120, std::string(65535, 'x')).size(), 65540u);
  TIPTCdata data;
  data.SetValue("ImageCaption", std::string(65400, 'x'));
  data.SetValue("ByLine", std::string(100, 'y'));
  EXPECT_THROW(data.BuildSegmentPayload(), FormatError);
  // The payload is always even (the IPTC resource is padded), so 65532 bytes is the largest.
  TIPTCdata fits;
  fits.SetValue("ImageCaption", std::string(65482, 'x'));
  EXPECT_EQ(fits.BuildSegmentPayload().size(), 65532u);
  fits.SetValue("ImageCaption", std::string(65483, 'x'));
  EXPECT_THROW(fits.BuildSegmentPayload(), FormatError);
}

TEST(IptcPayload, ReadsBackWhatItWrote) {
  TIPTCdata data;
  data.SetValue("ByLine", "J\xF6rg");
  data.SetValue("Keywords", "New York,\"Smith, John\",red");
  data.SetValue("Subfile", "sf");
  const std::string section = test::Segment(0xED, data.BuildSegmentPayload()).substr(2);
  TIPTCdata back;
  back.ParseSegment(section);
  ASSERT_EQ(back.Count(), 3);
  EXPECT_EQ(back.ValueOf("ByLine", ""), "J\xF6rg");
  EXPECT_EQ(back.ValueOf("Keywords", ""), "New York,\"Smith, John\",red");
  EXPECT_EQ(back.ValueOf("Subfile", ""), "sf");
}

}  // namespace
}  // namespace dux
