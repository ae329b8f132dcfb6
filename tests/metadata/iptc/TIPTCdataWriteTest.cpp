#include <gtest/gtest.h>

#include <string>

#include "metadata/iptc/IimDatasets.h"
#include "metadata/iptc/IptcFields.h"
#include "metadata/iptc/TIPTCdata.h"
#include "platform/FormatError.h"
#include "tests/support/JpegBuilder.h"

namespace dux {
namespace {

using test::Dataset;

const std::string kVersion("\x1C\x02\x00\x00\x02\x00\x02", 7);

const tIptcFieldRow& Field(std::string_view name) {
  for (const tIptcFieldRow& row : kIptcFields) {
    if (row.Field == name) return row;
  }
  throw std::logic_error("no such field");
}

// The IIM of a new block: the record version, the datasets, and a zero byte to even length.
std::string NewIim(const std::string& datasets) {
  std::string iim = kVersion + datasets;
  if (iim.size() % 2 != 0) iim += '\0';
  return iim;
}

TEST(IptcEncoding, AListGivesOneDatasetPerItem) {
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
    const TIPTCdata none;
    EXPECT_EQ(none.BuildIim({}, {{&Field("Keywords"), c.list}}), NewIim(c.datasets));
  }
}

TEST(IptcEncoding, RefusesADatasetLongerThanItsLengthCanSay) {
  EXPECT_THROW(EncodeDataset(2, 120, std::string(65536, 'x')), FormatError);
  EXPECT_EQ(EncodeDataset(2, 120, std::string(65535, 'x')).size(), 65540u);
  const TIPTCdata none;
  EXPECT_THROW(none.BuildIim({}, {{&Field("ImageCaption"), std::string(65536, 'x')}}), FormatError);
}

TEST(IptcEncoding, ReadsBackWhatItWrote) {
  const TIPTCdata none;
  const std::string iim = none.BuildIim({}, {{&Field("ByLine"), "J\xF6rg"},
                                             {&Field("Keywords"), "New York,\"Smith, John\",red"},
                                             {&Field("Subfile"), "sf"}});
  const std::string section =
      test::Segment(0xED, std::string("Photoshop 3.0\0", 14) + test::Resource(0x0404, iim))
          .substr(2);
  TIPTCdata back;
  back.ParseSegment(section);
  ASSERT_EQ(back.Count(), 3);
  EXPECT_EQ(back.ValueOf("ByLine", ""), "J\xF6rg");
  EXPECT_EQ(back.ValueOf("Keywords", ""), "New York,\"Smith, John\",red");
  EXPECT_EQ(back.ValueOf("Subfile", ""), "sf");
}

}  // namespace
}  // namespace dux
