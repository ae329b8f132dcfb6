#pragma once

#include <array>
#include <string_view>

namespace dux {

// One IPTC host variable: the TIPTCdata field it carries, that field's record:dataset, and the
// write limit in characters (for the two list fields, per item).
struct tIptcFieldRow {
  std::string_view Variable{};
  std::string_view Field{};
  int Limit = 0;
  bool IsList = false;
  int Record = 2;
  int Dataset = 0;
};

// The 31 IPTC variables, in the order both commands walk them. IptcTags.cpp checks at compile
// time that each row names the kIptcTags row of its record:dataset.
inline constexpr auto kIptcFields = std::to_array<tIptcFieldRow>({
    {"[duxIPTC_ByLine]", "ByLine", 32, false, 2, 80},
    {"[duxIPTC_ByLineTitle]", "ByLineTitle", 32, false, 2, 85},
    {"[duxIPTC_Category]", "Category", 3, false, 2, 15},
    {"[duxIPTC_City]", "City", 32, false, 2, 90},
    {"[duxIPTC_Contact]", "Contact", 128, false, 2, 118},
    {"[duxIPTC_Copyright]", "Copyright", 128, false, 2, 116},
    {"[duxIPTC_DateCreated]", "DateCreated", 8, false, 2, 55},
    {"[duxIPTC_FixtureID]", "FixtureID", 32, false, 2, 22},
    {"[duxIPTC_ImageCaption]", "ImageCaption", 2000, false, 2, 120},
    {"[duxIPTC_ImageCaptionWriter]", "ImageCaptionWriter", 32, false, 2, 122},
    {"[duxIPTC_ImageCredit]", "ImageCredit", 32, false, 2, 110},
    {"[duxIPTC_ImageHeadline]", "ImageHeadline", 256, false, 2, 105},
    {"[duxIPTC_ImageType]", "ImageType", 2, false, 2, 130},
    {"[duxIPTC_Keywords]", "Keywords", 32, true, 2, 25},
    {"[duxIPTC_LangID]", "LangID", 2, false, 2, 135},
    {"[duxIPTC_LocationCode]", "LocationCode", 3, false, 2, 100},
    {"[duxIPTC_LocationName]", "LocationName", 64, false, 2, 101},
    {"[duxIPTC_ObjectName]", "ObjectName", 64, false, 2, 5},
    {"[duxIPTC_Orientation]", "Orientation", 1, false, 2, 131},
    {"[duxIPTC_OriginatingProgram]", "OriginatingProgram", 32, false, 2, 65},
    {"[duxIPTC_ProgramVersion]", "ProgramVersion", 10, false, 2, 70},
    {"[duxIPTC_Source]", "Source", 32, false, 2, 115},
    {"[duxIPTC_SpecialInstru]", "SpecialInstru", 256, false, 2, 40},
    {"[duxIPTC_State]", "State", 32, false, 2, 95},
    {"[duxIPTC_SubLocation]", "SubLocation", 32, false, 2, 92},
    {"[duxIPTC_SubRef]", "SubRef", 236, false, 2, 12},
    {"[duxIPTC_Subfile]", "Subfile", 2, false, 8, 10},
    {"[duxIPTC_SuppCategory]", "SuppCategory", 32, true, 2, 20},
    {"[duxIPTC_TimeCreated]", "TimeCreated", 11, false, 2, 60},
    {"[duxIPTC_TransmissionRef]", "TransmissionRef", 32, false, 2, 103},
    {"[duxIPTC_Urgency]", "Urgency", 1, false, 2, 10},
});

inline constexpr std::string_view kIptcHeaderVariable = "[duxIPTC_Header]";
// "1" when the file holds a readable XMP packet, whose IPTC properties the read takes part in
// and the write keeps in step; "0" otherwise.
inline constexpr std::string_view kIptcXmpVariable = "[duxIPTC_XMP]";

}  // namespace dux
