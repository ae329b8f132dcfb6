#include "metadata/iptc/TIPTCdata.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/JpegBuilder.h"

namespace dux {
namespace {

using test::Dataset;
using test::PhotoshopPayload;
using test::Resource;

// An APP13 section (length field + payload) whose IPTC resource holds `datasets`.
std::string IptcSection(const std::string& datasets) {
  const std::string payload = PhotoshopPayload(Resource(0x0404, datasets));
  return test::Segment(0xED, payload).substr(2);
}

TIPTCdata Parsed(const std::string& section) {
  TIPTCdata data;
  data.ParseSegment(section);
  return data;
}

TEST(TIPTCdata, ReadsOneNamedDataset) {
  const TIPTCdata data = Parsed(IptcSection(Dataset(2, 80, "Anna")));
  ASSERT_EQ(data.Count(), 1);
  const TTagEntry e = data.EntryAt(0);
  EXPECT_EQ(e.ShortName, "ByLine");
  EXPECT_EQ(e.Description, "ByLine");
  EXPECT_EQ(e.DisplayValue, "Anna");
  EXPECT_EQ(e.MaxSize, 32);
  EXPECT_EQ(e.RecordNumber, 2);
  EXPECT_EQ(e.TagNumber, 80);
}

TEST(TIPTCdata, MergesListDatasetsIgnoringCaseAndKeepsKeywordsWhole) {
  struct Case {
    const char* what;
    std::string datasets;
    std::string keywords;
  };
  for (const Case& c : {
           Case{"case-insensitive union",
                Dataset(2, 25, "a") + Dataset(2, 25, "B") + Dataset(2, 25, "b"), "a,B"},
           Case{"a keyword with a blank", Dataset(2, 25, "New York"), "New York"},
           Case{"a keyword with a comma stays one item",
                Dataset(2, 25, "Smith, John") + Dataset(2, 25, "x"), "\"Smith, John\",x"},
           Case{"blanks around a keyword", Dataset(2, 25, "  red ") + Dataset(2, 25, "red"), "red"},
       }) {
    SCOPED_TRACE(c.what);
    const TIPTCdata data = Parsed(IptcSection(c.datasets));
    EXPECT_EQ(data.ValueOf("keywords", "?"), c.keywords);
    EXPECT_EQ(data.Count(), 1);
  }
}

TEST(TIPTCdata, NamesUnknownDatasetsAndDropsWhatTheTableCannotHold) {
  const TIPTCdata data =
      Parsed(IptcSection(Dataset(2, 0, std::string("\x00\x04", 2)) +  // record version
                         Dataset(1, 90, "\x1B%B") +                   // envelope record
                         Dataset(2, 200, "z") + Dataset(8, 25, "dropped") + Dataset(8, 10, "sf") +
                         Dataset(2, 120, "first") + Dataset(2, 120, "second")));
  ASSERT_EQ(data.Count(), 4);
  EXPECT_EQ(data.EntryAt(0).ShortName, "Custom_200");
  EXPECT_EQ(data.EntryAt(0).Description, "Custom_200");
  EXPECT_EQ(data.EntryAt(0).RecordNumber, 2);
  EXPECT_EQ(data.EntryAt(0).MaxSize, 64);
  EXPECT_EQ(data.ValueOf("Custom_200", ""), "z");
  EXPECT_EQ(data.ValueOf("Subfile", ""), "sf");
  EXPECT_EQ(data.EntryAt(2).ShortName, "ImageCaption");
  EXPECT_EQ(data.EntryAt(3).ShortName, "ImageCaption");
  EXPECT_EQ(data.ValueOf("ImageCaption", ""), "first");
}

TEST(TIPTCdata, SetValueAddsFromTheTableOnly) {
  TIPTCdata data = Parsed(IptcSection(Dataset(2, 200, "z")));
  EXPECT_EQ(data.SetValue("Custom_201", "v"), -1);
  EXPECT_EQ(data.SetValue("Custom_200", "new"), 0);  // an existing row can be changed
  EXPECT_EQ(data.SetValue("city", ""), 1);           // a missing row is added, even empty
  EXPECT_EQ(data.EntryAt(1).DisplayValue, "");
  EXPECT_EQ(data.SetValue("City", "Rome"), 1);
  EXPECT_EQ(data.SetValue("City", ""), 1);  // an empty value changes nothing
  EXPECT_EQ(data.ValueOf("CITY", ""), "Rome");
  EXPECT_EQ(data.SetValue("SKIP", "x"), 1);  // the record-version row is never stored
  EXPECT_EQ(data.Count(), 2);
}

TEST(TIPTCdata, FindsTheDatasetsWhereverTheFirstPairStands) {
  struct Case {
    const char* what;
    std::string section;
    int rows;
  };
  const std::string byLine = Dataset(2, 80, "Anna");
  for (const Case& c : {
           Case{"no signature: searched from position 13", std::string(12, 'x') + byLine, 1},
           Case{"pair before position 13 is not seen", byLine + std::string(12, 'x'), 0},
           Case{"no 0x1C 0x02 pair at all", IptcSection(""), 0},
           Case{"a record-8 pair starts the stream", IptcSection(Dataset(8, 10, "sf") + byLine), 2},
           Case{"datasets inside another resource",
                test::Segment(0xED, PhotoshopPayload(Resource(0x0406, byLine))).substr(2), 1},
       }) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Parsed(c.section).Count(), c.rows);
  }
}

TEST(TIPTCdata, AValueRunningPastTheEndIsShortened) {
  std::string section = IptcSection(Dataset(2, 80, "Anna") + Dataset(2, 120, "caption"));
  section.resize(section.size() - 5);  // the pad byte and "tion"
  const TIPTCdata data = Parsed(section);
  EXPECT_EQ(data.ValueOf("ByLine", ""), "Anna");
  EXPECT_EQ(data.ValueOf("ImageCaption", "?"), "cap");
  const TIPTCdata huge =
      Parsed(IptcSection(Dataset(2, 80, "Anna")).substr(0, 30) + "\x1C\x02\x78\xFF\xFFtail");
  EXPECT_LE(huge.Count(), 2);
}

TEST(TIPTCdata, ConvertsValuesDeclaredUtf8To1252) {
  const std::string utf8 = Dataset(1, 90, "\x1B%G");
  const TIPTCdata declared =
      Parsed(IptcSection(utf8 + Dataset(2, 90, "G\xC3\xB6teborg") + Dataset(2, 25, "\xE2\x82\xAC") +
                         Dataset(2, 25, "\xCE\xB1")));
  EXPECT_EQ(declared.ValueOf("City", ""), "G\xF6teborg");
  EXPECT_EQ(declared.ValueOf("Keywords", ""), "\x80,?");
  const TIPTCdata plain = Parsed(IptcSection(Dataset(2, 90, "G\xC3\xB6teborg")));
  EXPECT_EQ(plain.ValueOf("City", ""), "G\xC3\xB6teborg");
  // A declaration after the datasets, in another resource's data, is not theirs.
  const std::string later = PhotoshopPayload(Resource(0x0404, Dataset(2, 90, "G\xF6teborg")) +
                                             Resource(0x0BB7, utf8 + Dataset(2, 90, "x")));
  EXPECT_EQ(Parsed(test::Segment(0xED, later).substr(2)).ValueOf("City", ""), "G\xF6teborg");
}

TEST(TIPTCdata, APhotoshopBlockIsReadFromItsIptcResourceAsAWriteFindsIt) {
  // Bytes that look like datasets in a resource before the IPTC one are not datasets.
  const std::string before = Resource(0x0425, std::string("\x1C\x02\x5A\x00\x04Oslo", 9));
  const std::string iim = Dataset(2, 90, "Rome") + Dataset(2, 80, "Anna");
  const TIPTCdata data =
      Parsed(test::Segment(0xED, PhotoshopPayload(before + Resource(0x0404, iim))).substr(2));
  EXPECT_EQ(data.ValueOf("City", ""), "Rome");
  EXPECT_EQ(data.Count(), 2);
  // A record 1 dataset whose length takes in what follows holds it as its value, as ExifTool reads
  // it.
  const std::string swallowing =
      std::string("\x1C\x01\x5A\x00\x09", 5) + Dataset(2, 90, "Rome") + Dataset(2, 80, "Anna");
  EXPECT_EQ(Parsed(IptcSection(swallowing)).ValueOf("City", "none"), "none");
  EXPECT_EQ(Parsed(IptcSection(swallowing)).ValueOf("ByLine", ""), "Anna");
  // A resource block that does not parse is read as before: from the first dataset anywhere.
  const TIPTCdata damaged = Parsed(test::Segment(0xED, PhotoshopPayload("junk" + iim)).substr(2));
  EXPECT_EQ(damaged.ValueOf("City", ""), "Rome");
}

TEST(TIPTCdata, ParsingTwiceGivesTheSameRows) {
  const std::string section = IptcSection(Dataset(2, 80, "Anna") + Dataset(2, 25, "a"));
  TIPTCdata data;
  data.ParseSegment(section);
  data.ParseSegment(section);
  EXPECT_EQ(data.Count(), 2);
}

TEST(TIPTCdata, MergeListsKeepsTheFirstSpellingOfEachItem) {
  EXPECT_EQ(TIPTCdata::MergeLists("", "x"), "x");
  EXPECT_EQ(TIPTCdata::MergeLists("Red, green", "RED,blue ,  Green"), "Red,green,blue");
  EXPECT_EQ(TIPTCdata::MergeLists("\"a,b\"", "\"A,B\",c"), "\"a,b\",c");
  EXPECT_EQ(TIPTCdata::MergeLists("", ""), "");
}

}  // namespace
}  // namespace dux
