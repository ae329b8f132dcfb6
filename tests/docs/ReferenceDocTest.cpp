// docs/reference.md names every variable, line and error the plug-in gives, so that the page
// cannot drift from the code: a new tag row, field or message fails here until the page has it
// (tools/docs/make-reference.py writes the tag lists).
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>

#include "metadata/exif/ExifTags.h"
#include "metadata/iptc/IptcFields.h"
#include "metadata/makernotes/MakerNoteFormatters.h"
#include "metadata/makernotes/MakerNoteTables.h"
#include "metadata/makernotes/TmsInfo.h"
#include "metadata/tiff/ScanMessages.h"
#include "tests/support/TempDir.h"
#include "text/AsciiText.h"

namespace dux {
namespace {

const std::string& Page() {
  static const std::string page =
      test::ReadFileBytes(std::string(DUX_SOURCE_DIR) + "/docs/reference.md");
  return page;
}

bool OnPage(std::string_view text) { return Page().find(text) != std::string::npos; }

// A table's rows: each name as the page quotes it, and each line's label.
void ExpectRowsOnPage(std::span<const tTagRow> table) {
  for (const tTagRow& row : table) {
    if (SameTextIgnoringCase(row.ShortName, "skip") || row.SubTable != nullptr) continue;
    EXPECT_TRUE(OnPage("`" + std::string(row.ShortName) + "`")) << row.ShortName;
    const std::string label(TrimBlanks(row.Description.empty() ? SpacedName(row.ShortName)
                                                               : std::string(row.Description)));
    EXPECT_TRUE(OnPage(label)) << label;
  }
}

TEST(ReferenceDoc, NamesEveryVariableTheActionsSet) {
  for (const tIptcFieldRow& row : kIptcFields) EXPECT_TRUE(OnPage(row.Variable)) << row.Variable;
  for (std::string_view variable :
       {kIptcHeaderVariable, kIptcXmpVariable, std::string_view("[duxEXIF_Data]"),
        std::string_view("[duxEXIF_MakerSpecificData]"),
        std::string_view("[duxEXIF_ThumbnailData]"), std::string_view("[duxEXIF_SummaryShort]"),
        std::string_view("[duxEXIF_SummaryLong]"), std::string_view("[duxEXIF_CommentStr]"),
        std::string_view("[LastError]"), std::string_view("[*/*duxIPTCDllName]")}) {
    EXPECT_TRUE(OnPage(variable)) << variable;
  }
}

TEST(ReferenceDoc, NamesEveryLineOfTheTagTables) {
  ExpectRowsOnPage(kExifTags);
  ExpectRowsOnPage(kGpsTags);
  for (const tMakeRow& make : MakerNoteRegistry()) {
    if (make.table == nullptr) continue;
    ExpectRowsOnPage(*make.table);
    for (const tTagRow& row : *make.table) {
      if (row.SubTable != nullptr) ExpectRowsOnPage(*row.SubTable);
    }
    if (make.record != nullptr) {
      for (const tRecordField& field : *make.record) EXPECT_TRUE(OnPage(field.name)) << field.name;
    }
  }
  for (const tRecordField& field : kKodakRecord) {
    EXPECT_TRUE(OnPage("`" + std::string(field.name) + "`")) << field.name;
    EXPECT_TRUE(OnPage(field.label)) << field.label;
  }
  for (const auto fields : {CanonCameraSettingsFields(), CanonShotInfoFields()}) {
    for (const tCanonListField& field : fields) EXPECT_TRUE(OnPage(field.label)) << field.label;
  }
}

TEST(ReferenceDoc, NamesEveryErrorText) {
  for (std::string_view text : kScanMessageTexts) EXPECT_TRUE(OnPage(text)) << text;
  for (std::string_view text : {"Out of memory", "Unexpected error", "ist kein g\xC3\xBCltiger",
                                "kann nicht ge\xC3\xB6"
                                "ffnet werden",
                                "Listenindex", "its IPTC block is damaged", "is read, not written",
                                "changed while it was being rewritten",
                                "did not read back as meant", "Cannot compute an MD5 digest"}) {
    EXPECT_TRUE(OnPage(text)) << text;
  }
}

}  // namespace
}  // namespace dux
