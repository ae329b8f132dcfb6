#include "metadata/iptc/IptcTags.h"

#include "metadata/iptc/IptcFields.h"
#include "metadata/tiff/TagRows.h"
#include "text/AsciiText.h"

namespace dux {

constexpr tTagRow kIptcRows[] = {
    {.RecordNumber = 2,
     .TagNumber = 0,
     .ShortName = "SKIP",
     .Description = "Record Version",
     .MaxSize = 64},
    {.RecordNumber = 2,
     .TagNumber = 3,
     .ShortName = "ObjectType",
     .Description = "Object Type Ref",
     .MaxSize = 67},
    {.RecordNumber = 2,
     .TagNumber = 4,
     .ShortName = "ObjectAttr",
     .Description = "Object Attribute Ref",
     .MaxSize = 67},
    {.RecordNumber = 2,
     .TagNumber = 5,
     .ShortName = "ObjectName",
     .Description = "Object name",
     .MaxSize = 64},
    {.RecordNumber = 2,
     .TagNumber = 7,
     .ShortName = "EditStatus",
     .Description = "Edit Status",
     .MaxSize = 64},
    {.RecordNumber = 2,
     .TagNumber = 8,
     .ShortName = "EditorialUpdate",
     .Description = "Editorial Update",
     .MaxSize = 2},
    {.RecordNumber = 2,
     .TagNumber = 10,
     .ShortName = "Urgency",
     .Description = "Urgency",
     .MaxSize = 1},
    {.RecordNumber = 2,
     .TagNumber = 12,
     .ShortName = "SubRef",
     .Description = "Subject Reference",
     .MaxSize = 236},
    {.RecordNumber = 2,
     .TagNumber = 15,
     .ShortName = "Category",
     .Description = "Category",
     .MaxSize = 3},
    {.RecordNumber = 2,
     .TagNumber = 20,
     .ShortName = "SuppCategory",
     .Description = "Supplemental category",
     .MaxSize = 32},
    {.RecordNumber = 2,
     .TagNumber = 22,
     .ShortName = "FixtureID",
     .Description = "Fixture ID",
     .MaxSize = 32},
    {.RecordNumber = 2,
     .TagNumber = 25,
     .ShortName = "Keywords",
     .Description = "Keywords",
     .MaxSize = 64},
    {.RecordNumber = 2,
     .TagNumber = 26,
     .ShortName = "ContentLocCode",
     .Description = "Content Location Code",
     .MaxSize = 3},
    {.RecordNumber = 2,
     .TagNumber = 27,
     .ShortName = "ContentLocName",
     .Description = "Content Location Name",
     .MaxSize = 64},
    {.RecordNumber = 2,
     .TagNumber = 30,
     .ShortName = "ReleaseDate",
     .Description = "Release Date",
     .MaxSize = 8},
    {.RecordNumber = 2,
     .TagNumber = 35,
     .ShortName = "ReleaseTime",
     .Description = "Release Time",
     .MaxSize = 11},
    {.RecordNumber = 2,
     .TagNumber = 37,
     .ShortName = "ExpireDate",
     .Description = "Expiration Date",
     .MaxSize = 8},
    {.RecordNumber = 2,
     .TagNumber = 38,
     .ShortName = "ExpireTime",
     .Description = "Expiration Time",
     .MaxSize = 11},
    {.RecordNumber = 2,
     .TagNumber = 40,
     .ShortName = "SpecialInstru",
     .Description = "Special Instructions",
     .MaxSize = 256},
    {.RecordNumber = 2,
     .TagNumber = 42,
     .ShortName = "ActionAdvised",
     .Description = "Action Advised",
     .MaxSize = 2},
    {.RecordNumber = 2,
     .TagNumber = 45,
     .ShortName = "RefService",
     .Description = "Reference Service",
     .MaxSize = 10},
    {.RecordNumber = 2,
     .TagNumber = 47,
     .ShortName = "RefDate",
     .Description = "Reference Date",
     .MaxSize = 8},
    {.RecordNumber = 2,
     .TagNumber = 50,
     .ShortName = "RefNumber",
     .Description = "Reference Number",
     .MaxSize = 8},
    {.RecordNumber = 2,
     .TagNumber = 55,
     .ShortName = "DateCreated",
     .Description = "Date created",
     .MaxSize = 8},
    {.RecordNumber = 2,
     .TagNumber = 60,
     .ShortName = "TimeCreated",
     .Description = "Time created",
     .MaxSize = 11},
    {.RecordNumber = 2,
     .TagNumber = 62,
     .ShortName = "DigitizeDate",
     .Description = "Digital Creation Date",
     .MaxSize = 8},
    {.RecordNumber = 2,
     .TagNumber = 63,
     .ShortName = "DigitizeTime",
     .Description = "Digital Creation Time",
     .MaxSize = 11},
    {.RecordNumber = 2,
     .TagNumber = 65,
     .ShortName = "OriginatingProgram",
     .Description = "Originating Program",
     .MaxSize = 32},
    {.RecordNumber = 2,
     .TagNumber = 70,
     .ShortName = "ProgramVersion",
     .Description = "Program version",
     .MaxSize = 10},
    {.RecordNumber = 2,
     .TagNumber = 75,
     .ShortName = "ObjectCycle",
     .Description = "Object Cycle",
     .MaxSize = 1},
    {.RecordNumber = 2,
     .TagNumber = 80,
     .ShortName = "ByLine",
     .Description = "ByLine",
     .MaxSize = 32},
    {.RecordNumber = 2,
     .TagNumber = 85,
     .ShortName = "ByLineTitle",
     .Description = "ByLine Title",
     .MaxSize = 32},
    {.RecordNumber = 2, .TagNumber = 90, .ShortName = "City", .Description = "City", .MaxSize = 32},
    {.RecordNumber = 2,
     .TagNumber = 92,
     .ShortName = "SubLocation",
     .Description = "Sublocation",
     .MaxSize = 32},
    {.RecordNumber = 2,
     .TagNumber = 95,
     .ShortName = "State",
     .Description = "Province/State",
     .MaxSize = 32},
    {.RecordNumber = 2,
     .TagNumber = 100,
     .ShortName = "LocationCode",
     .Description = "Country/Primary Location Code",
     .MaxSize = 3},
    {.RecordNumber = 2,
     .TagNumber = 101,
     .ShortName = "LocationName",
     .Description = "Country/Primary Location Name",
     .MaxSize = 64},
    {.RecordNumber = 2,
     .TagNumber = 103,
     .ShortName = "TransmissionRef",
     .Description = "Original Transmission Reference",
     .MaxSize = 32},
    {.RecordNumber = 2,
     .TagNumber = 105,
     .ShortName = "ImageHeadline",
     .Description = "Image headline",
     .MaxSize = 256},
    {.RecordNumber = 2,
     .TagNumber = 110,
     .ShortName = "ImageCredit",
     .Description = "Image credit",
     .MaxSize = 32},
    {.RecordNumber = 2,
     .TagNumber = 115,
     .ShortName = "Source",
     .Description = "Source",
     .MaxSize = 32},
    {.RecordNumber = 2,
     .TagNumber = 116,
     .ShortName = "Copyright",
     .Description = "Copyright Notice",
     .MaxSize = 128},
    {.RecordNumber = 2,
     .TagNumber = 118,
     .ShortName = "Contact",
     .Description = "Contact",
     .MaxSize = 128},
    {.RecordNumber = 2,
     .TagNumber = 120,
     .ShortName = "ImageCaption",
     .Description = "Image caption",
     .MaxSize = 2000},
    {.RecordNumber = 2,
     .TagNumber = 122,
     .ShortName = "ImageCaptionWriter",
     .Description = "Image caption writer",
     .MaxSize = 32},
    {.RecordNumber = 2,
     .TagNumber = 130,
     .ShortName = "ImageType",
     .Description = "Image type",
     .MaxSize = 2},
    {.RecordNumber = 2,
     .TagNumber = 131,
     .ShortName = "Orientation",
     .Description = "Image Orientation",
     .MaxSize = 1},
    {.RecordNumber = 2,
     .TagNumber = 135,
     .ShortName = "LangID",
     .Description = "Language ID",
     .MaxSize = 3},
    {.RecordNumber = 8,
     .TagNumber = 10,
     .ShortName = "Subfile",
     .Description = "Subfile",
     .MaxSize = 2},
};

const std::span<const tTagRow> kIptcTags = kIptcRows;

namespace {

// Each host variable's field is the table row of its record:dataset, so that a read and a write
// of the variable reach the same dataset.
constexpr bool FieldsMatchTheTable() {
  for (const tIptcFieldRow& field : kIptcFields) {
    bool found = false;
    for (const tTagRow& row : kIptcRows) {
      if (row.ShortName == field.Field) {
        if (found || row.RecordNumber != field.Record || row.TagNumber != field.Dataset)
          return false;
        found = true;
      }
    }
    if (!found) return false;
  }
  return true;
}
static_assert(FieldsMatchTheTable(),
              "every IPTC variable names the table row of its record:dataset");
static_assert(AreRowsAscending(kIptcRows),
              "FindRow bisects: keep the rows in record:dataset order");

}  // namespace

int IptcTableIndexOfName(std::string_view name) noexcept {
  for (std::size_t i = 0; i < kIptcTags.size(); ++i) {
    if (SameTextIgnoringCase(kIptcTags[i].ShortName, name)) return static_cast<int>(i);
  }
  return -1;
}

int IptcTableIndexOf(int record, int dataset) noexcept {
  return FindRow(kIptcTags, dataset, record);
}

namespace {

struct tCustomName {
  std::array<char, 11> text{};  // "Custom_255"
  std::size_t size = 0;
};

constexpr std::array<tCustomName, 256> CustomNames() {
  std::array<tCustomName, 256> names{};
  for (int dataset = 0; dataset < 256; ++dataset) {
    tCustomName& name = names[static_cast<std::size_t>(dataset)];
    for (const char c : std::string_view("Custom_")) name.text[name.size++] = c;
    if (dataset >= 100) name.text[name.size++] = static_cast<char>('0' + dataset / 100);
    if (dataset >= 10) name.text[name.size++] = static_cast<char>('0' + dataset / 10 % 10);
    name.text[name.size++] = static_cast<char>('0' + dataset % 10);
  }
  return names;
}

constexpr std::array<tCustomName, 256> kCustomNames = CustomNames();

}  // namespace

std::string_view IptcCustomName(int dataset) noexcept {
  const tCustomName& name = kCustomNames[static_cast<std::size_t>(dataset & 0xFF)];
  return {name.text.data(), name.size};
}

}  // namespace dux
