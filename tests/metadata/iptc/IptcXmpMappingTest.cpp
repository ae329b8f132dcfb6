#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "metadata/iptc/IptcXmp.h"

namespace dux {
namespace {

const tIptcFieldRow& Row(std::string_view field) {
  for (const tIptcFieldRow& row : kIptcFields) {
    if (row.Field == field) return row;
  }
  throw std::logic_error("no row " + std::string(field));
}

TEST(IptcXmpMapping, EachFieldHasItsPropertyWhetherTheRowIsTheTablesOrACopy) {
  int mapped = 0;
  for (const tIptcFieldRow& row : kIptcFields) {
    const tIptcFieldRow copy = row;  // a row from elsewhere is looked up by its name
    const auto byRow = XmpPropertyOf(row), byCopy = XmpPropertyOf(copy);
    ASSERT_EQ(byRow.has_value(), byCopy.has_value()) << row.Field;
    if (!byRow) continue;
    ++mapped;
    EXPECT_EQ(byRow->ns, byCopy->ns) << row.Field;
    EXPECT_EQ(byRow->name, byCopy->name) << row.Field;
  }
  EXPECT_EQ(mapped, 22);  // 21 datasets, DateCreated and TimeCreated sharing one property
  EXPECT_EQ(XmpPropertyOf(Row("Keywords"))->name, "subject");
  EXPECT_EQ(XmpPropertyOf(Row("Keywords"))->kind, XmpKind::kBag);
  EXPECT_EQ(XmpPropertyOf(Row("ByLine"))->kind, XmpKind::kSeq);
  EXPECT_EQ(XmpPropertyOf(Row("SubLocation"))->name, "Location");
  EXPECT_EQ(XmpPropertyOf(Row("LocationCode"))->name, "CountryCode");
  EXPECT_EQ(XmpPropertyOf(Row("TimeCreated"))->name, "DateCreated");
  for (const char* none : {"Contact", "FixtureID", "OriginatingProgram", "Subfile"})
    EXPECT_FALSE(XmpPropertyOf(Row(none))) << none;
}

TEST(IptcXmpMapping, AListBecomesItsItemsInUtf8WithoutTheBlankOnes) {
  EXPECT_EQ(XmpItemsOf(Row("Keywords"), "sea, \"a, b\" , ,sky"),
            (std::vector<std::string>{"sea", "a, b", "sky"}));
  EXPECT_EQ(XmpItemsOf(Row("Keywords"), "M\xFCnchen"),
            (std::vector<std::string>{"M\xC3\xBCnchen"}));
  EXPECT_EQ(XmpItemsOf(Row("ImageCaption"), "one, two"),
            (std::vector<std::string>{"one, two"}));  // not a list
  EXPECT_TRUE(XmpItemsOf(Row("Keywords"), "").empty());
  EXPECT_TRUE(XmpItemsOf(Row("ImageCaption"), "").empty());
}

TEST(IptcXmpMapping, TheIimDateAndTimeMakeOneXmpDate) {
  EXPECT_EQ(XmpDateOf("20040220", "134501-0500"), "2004-02-20T13:45:01-05:00");
  EXPECT_EQ(XmpDateOf("20040220", "134501"), "2004-02-20T13:45:01");
  EXPECT_EQ(XmpDateOf("20040220", ""), "2004-02-20");
  EXPECT_EQ(XmpDateOf("", "134501"), "");
  // A time of another form stays out of the XMP: a part of it there would read as the whole.
  for (const char* time : {"00111101+20", "1345", "134501+05", "13:45:01", "134501-0500x"}) {
    SCOPED_TRACE(time);
    EXPECT_EQ(XmpDateOf("20040220", time), "2004-02-20");
  }
}

}  // namespace
}  // namespace dux
