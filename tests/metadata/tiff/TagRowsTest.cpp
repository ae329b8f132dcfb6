// The lookups of the tag tables.
#include "metadata/tiff/TagRows.h"

#include <gtest/gtest.h>

#include <array>

#include "metadata/exif/ExifTags.h"
#include "metadata/iptc/IptcTags.h"
#include "metadata/makernotes/MakerNoteTables.h"
#include "metadata/makernotes/TmsInfo.h"

namespace dux {
namespace {

constexpr std::array<tTagRow, 4> kRows = {{{.RecordNumber = 0, .TagNumber = 2},
                                           {.RecordNumber = 0, .TagNumber = 9},
                                           {.RecordNumber = 2, .TagNumber = 1},
                                           {.RecordNumber = 8, .TagNumber = 10}}};
static_assert(AreRowsAscending(kRows));
static_assert(FindRow(kRows, 2) == 0 && FindRow(kRows, 9) == 1 && FindRow(kRows, 1, 2) == 2 &&
              FindRow(kRows, 10, 8) == 3);
static_assert(FindRow(kRows, 0) == -1 && FindRow(kRows, 5) == -1 && FindRow(kRows, 1) == -1 &&
              FindRow(kRows, 11, 8) == -1);
static_assert(FindRow(std::span<const tTagRow>(), 0) == -1);
constexpr std::array<tTagRow, 2> kTwice = {{{.TagNumber = 4}, {.TagNumber = 4}}};
constexpr std::array<tTagRow, 2> kBackwards = {{{.TagNumber = 5}, {.TagNumber = 4}}};
static_assert(!AreRowsAscending(kTwice) && !AreRowsAscending(kBackwards));

TEST(TagRows, EachTagFindsItsOwnRow) {
  // The Casio rows of 0x2012 and 0x2013 stood the other way round; each still finds its own.
  const int whiteBalance = IndexOfTagInTable(0x2012, kCasioTable2);
  ASSERT_GE(whiteBalance, 0);
  EXPECT_EQ(kCasioTable2[static_cast<std::size_t>(whiteBalance)].ShortName, "WhiteBalance");
  EXPECT_EQ(CodesOfTag(0x2012, kCasioTable2), "0:Manual,1:Auto,4:Flash,12:Flash");
  const int skipped = IndexOfTagInTable(0x2013, kCasioTable2);
  ASSERT_GE(skipped, 0);
  EXPECT_EQ(kCasioTable2[static_cast<std::size_t>(skipped)].ShortName, "Skip");
  EXPECT_EQ(IndexOfTagInTable(0x2014, kCasioTable2), -1);
  // Every row of every table is found by its own tag.
  for (const tMakeRow& make : MakerNoteRegistry()) {
    if (make.table == nullptr) continue;  // a note that is a record
    const std::span<const tTagRow> table = *make.table;
    for (std::size_t i = 0; i < table.size(); ++i)
      EXPECT_EQ(IndexOfTagInTable(table[i].TagNumber, table), static_cast<int>(i));
  }
  // IPTC rows by record and dataset; EXIF and GPS through the walk's lookup.
  EXPECT_EQ(kIptcTags[static_cast<std::size_t>(IptcTableIndexOf(8, 10))].ShortName, "Subfile");
  EXPECT_EQ(kIptcTags[static_cast<std::size_t>(IptcTableIndexOf(2, 10))].ShortName, "Urgency");
  EXPECT_EQ(IptcTableIndexOf(1, 90), -1);
  // Datasets the table lacks are named by number, every one of them.
  for (int dataset = 0; dataset < 256; ++dataset)
    EXPECT_EQ(IptcCustomName(dataset), "Custom_" + std::to_string(dataset));
  EXPECT_EQ(LookupTagRow(0x010F, kMainDirectory)->ShortName, "Make");
  EXPECT_EQ(LookupTagRow(0x0002, kGpsDirectory)->ShortName, "GPSLatitude");
  EXPECT_EQ(LookupTagRow(0x0002, kMainDirectory)->ShortName, "InteroperabilityVersion");
  EXPECT_FALSE(LookupTagRow(0x0005, kMainDirectory));
  // The walk's lookup bisects the tag numbers alone: for every number it finds the row the
  // bisection of the rows finds, and "Unknown" where there is none.
  const std::span<const tTagRow> known = kExifTags;
  for (int tag = 0; tag <= 0xFFFF; ++tag) {
    const int exif = FindRow(known, tag), gps = FindRow(kGpsTags, tag);
    const auto nameOf = [](std::span<const tTagRow> rows, int row) {
      return row < 0 ? std::string_view("Unknown") : rows[static_cast<std::size_t>(row)].ShortName;
    };
    const auto lookedUp = [tag](int kind) {
      const auto entry = LookupTagRow(tag, kind);
      return entry ? entry->ShortName : std::string_view("Unknown");
    };
    ASSERT_EQ(lookedUp(kMainDirectory), nameOf(known, exif)) << tag;
    ASSERT_EQ(lookedUp(kThumbnailDirectory), nameOf(known, exif)) << tag;
    ASSERT_EQ(lookedUp(kGpsDirectory), nameOf(kGpsTags, gps)) << tag;
  }
}

}  // namespace
}  // namespace dux
