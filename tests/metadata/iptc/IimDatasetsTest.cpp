#include "metadata/iptc/IimDatasets.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/FormatError.h"
#include "tests/support/JpegBuilder.h"

namespace dux {
namespace {

using test::Dataset;
using namespace std::string_literals;

TEST(IimDatasets, EachDatasetKeepsItsValueAndTheBytesItWasStoredAs) {
  // The extended form: the high bit set, two bytes of length follow.
  const std::string extended = "\x1C\x02\x78\x80\x02\x00\x05"s + "hello";
  const std::string block = Dataset(1, 90, "\x1B%G") + extended + Dataset(2, 25, "") + "\0\0\0"s;
  const auto datasets = ParseIimDatasets(block);
  ASSERT_TRUE(datasets.has_value());
  ASSERT_EQ(datasets->size(), 3u);
  EXPECT_EQ((*datasets)[1].record, 2);
  EXPECT_EQ((*datasets)[1].number, 120);
  EXPECT_EQ((*datasets)[1].value, "hello");
  EXPECT_EQ((*datasets)[1].stored, extended);
  EXPECT_EQ(DatasetBytes((*datasets)[1]), extended);  // written back as it came, not re-encoded
  EXPECT_EQ((*datasets)[2].value, "");
  EXPECT_TRUE(DeclaresUtf8(*datasets));
  EXPECT_FALSE(DeclaresUtf8({tDataset{1, 90, "\x1B%@", ""}}));
  EXPECT_FALSE(DeclaresUtf8({tDataset{2, 90, "\x1B%G", ""}}));
}

TEST(IimDatasets, WhatDoesNotParseGivesNothing) {
  struct Case {
    const char* what;
    std::string data;
  };
  for (const Case& c : {
           Case{"a byte that is neither a tag marker nor padding", Dataset(2, 5, "a") + "xyzzy"},
           Case{"a value cut short",
                "\x1C\x02\x05\x00\x09"
                "abc"s},
           Case{"more than four bytes of extended length",
                "\x1C\x02\x78\x80\x05\x00\x00\x00\x00\x01"
                "x"s},
           Case{"an extended length cut short", "\x1C\x02\x78\x80\x04\x00\x00"s},
       }) {
    EXPECT_FALSE(ParseIimDatasets(c.data).has_value()) << c.what;
  }
  const auto four = ParseIimDatasets(
      "\x1C\x02\x78\x80\x04\x00\x00\x00\x01"
      "x"s);
  ASSERT_TRUE(four.has_value());
  EXPECT_EQ(four->front().value, "x");
}

TEST(IimDatasets, FewerBytesThanADatasetHeadAfterTheLastAreStray) {
  const std::string caption = Dataset(2, 120, "Cap");
  for (const std::string& stray : {"\0\x1C"s, "\x1C\x02"s, "x"s, "\x1C\x02\x05\x00"s}) {
    SCOPED_TRACE(testing::PrintToString(stray));
    const auto datasets = ParseIimDatasets(caption + stray);
    ASSERT_TRUE(datasets.has_value());
    ASSERT_EQ(datasets->size(), 1u);
    EXPECT_EQ(datasets->front().stored, caption);
  }
}

TEST(IimDatasets, ANewDatasetIsEncodedWithASixteenBitLength) {
  EXPECT_EQ(EncodeDataset(2, 120, std::string(300, 'a')),
            "\x1C\x02\x78\x01\x2C"s + std::string(300, 'a'));
  EXPECT_EQ(EncodeDataset(2, 120, std::string(65535, 'a')).size(), 5u + 65535u);
  EXPECT_THROW(EncodeDataset(2, 120, std::string(65536, 'a')), FormatError);
  EXPECT_EQ(DatasetBytes(tDataset{2, 5, "new", ""}), Dataset(2, 5, "new"));
}

}  // namespace
}  // namespace dux
