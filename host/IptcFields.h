#pragma once

#include <array>
#include <string_view>

namespace dux {

// One IPTC host variable: the TIPTCdata field it carries and the write limit in characters
// (for the two list fields, per item).
struct tIptcFieldRow {
  std::string_view Variable{};
  std::string_view Field{};
  int Limit = 0;
  bool IsList = false;
};

// The 31 IPTC variables, in the order both commands walk them.
inline constexpr std::array<tIptcFieldRow, 31> kIptcFields = {{
    {"[duxIPTC_ByLine]", "ByLine", 32},
    {"[duxIPTC_ByLineTitle]", "ByLineTitle", 32},
    {"[duxIPTC_Category]", "Category", 3},
    {"[duxIPTC_City]", "City", 32},
    {"[duxIPTC_Contact]", "Contact", 128},
    {"[duxIPTC_Copyright]", "Copyright", 128},
    {"[duxIPTC_DateCreated]", "DateCreated", 8},
    {"[duxIPTC_FixtureID]", "FixtureID", 32},
    {"[duxIPTC_ImageCaption]", "ImageCaption", 2000},
    {"[duxIPTC_ImageCaptionWriter]", "ImageCaptionWriter", 32},
    {"[duxIPTC_ImageCredit]", "ImageCredit", 32},
    {"[duxIPTC_ImageHeadline]", "ImageHeadline", 256},
    {"[duxIPTC_ImageType]", "ImageType", 2},
    {"[duxIPTC_Keywords]", "Keywords", 32, true},
    {"[duxIPTC_LangID]", "LangID", 2},
    {"[duxIPTC_LocationCode]", "LocationCode", 3},
    {"[duxIPTC_LocationName]", "LocationName", 64},
    {"[duxIPTC_ObjectName]", "ObjectName", 64},
    {"[duxIPTC_Orientation]", "Orientation", 1},
    {"[duxIPTC_OriginatingProgram]", "OriginatingProgram", 32},
    {"[duxIPTC_ProgramVersion]", "ProgramVersion", 10},
    {"[duxIPTC_Source]", "Source", 32},
    {"[duxIPTC_SpecialInstru]", "SpecialInstru", 256},
    {"[duxIPTC_State]", "State", 32},
    {"[duxIPTC_SubLocation]", "SubLocation", 32},
    {"[duxIPTC_SubRef]", "SubRef", 236},
    {"[duxIPTC_Subfile]", "Subfile", 2},
    {"[duxIPTC_SuppCategory]", "SuppCategory", 32, true},
    {"[duxIPTC_TimeCreated]", "TimeCreated", 11},
    {"[duxIPTC_TransmissionRef]", "TransmissionRef", 32},
    {"[duxIPTC_Urgency]", "Urgency", 1},
}};

inline constexpr std::string_view kIptcHeaderVariable = "[duxIPTC_Header]";

}  // namespace dux
