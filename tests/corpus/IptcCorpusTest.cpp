// duxIPTCread on every JPEG of the corpus, through the plug-in's exports, against ExifTool.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>

#include "metadata/TimgData.h"
#include "metadata/iptc/IptcFields.h"
#include "tests/corpus/IptcCorpus.h"
#include "tests/support/Corpus.h"
#include "tests/support/PluginFixture.h"
#include "text/AsciiText.h"
#include "text/CommaList.h"

namespace dux::test {
namespace {

// Our text for the oracle's value of a field: list items merged as we merge them, dates and
// times without the separators ExifTool adds.
std::string ExpectedFromOracle(const nlohmann::json& oracle, const tIptcFieldRow& row) {
  std::string group = "IPTC:";
  bool any = false;
  for (const auto& [key, value] : oracle.items()) any = any || key.rfind("IPTC:", 0) == 0;
  if (!any) group = "IPTC2:";
  const std::string key = group + ExifToolIptcNames().at(std::string(row.Field));
  if (!oracle.contains(key)) return {};
  if (row.IsList) {
    std::vector<std::string> merged;
    for (const std::string& item : OracleList(oracle[key])) {
      const std::string trimmed(TrimBlanks(item));
      bool present = false;
      for (const auto& have : merged) present = present || SameTextIgnoringCase(have, trimmed);
      if (!present) merged.push_back(trimmed);
    }
    return JoinCommaList(merged);
  }
  std::string text = OracleText(oracle[key]);
  if (row.Field == "DateCreated" || row.Field == "TimeCreated") std::erase(text, ':');
  return text;
}

// ExifTool's name of a field's XMP property; empty for the fields without one.
std::string XmpNameOf(std::string_view field) {
  static const std::map<std::string, std::string, std::less<>> names = {
      {"ObjectName", "XMP-dc:Title"},
      {"Urgency", "XMP-photoshop:Urgency"},
      {"Category", "XMP-photoshop:Category"},
      {"SuppCategory", "XMP-photoshop:SupplementalCategories"},
      {"Keywords", "XMP-dc:Subject"},
      {"SpecialInstru", "XMP-photoshop:Instructions"},
      {"DateCreated", "XMP-photoshop:DateCreated"},
      {"TimeCreated", "XMP-photoshop:DateCreated"},
      {"ByLine", "XMP-dc:Creator"},
      {"ByLineTitle", "XMP-photoshop:AuthorsPosition"},
      {"City", "XMP-photoshop:City"},
      {"SubLocation", "XMP-iptcCore:Location"},
      {"State", "XMP-photoshop:State"},
      {"LocationCode", "XMP-iptcCore:CountryCode"},
      {"LocationName", "XMP-photoshop:Country"},
      {"TransmissionRef", "XMP-photoshop:TransmissionReference"},
      {"ImageHeadline", "XMP-photoshop:Headline"},
      {"ImageCredit", "XMP-photoshop:Credit"},
      {"Source", "XMP-photoshop:Source"},
      {"Copyright", "XMP-dc:Rights"},
      {"ImageCaption", "XMP-dc:Description"},
      {"ImageCaptionWriter", "XMP-photoshop:CaptionWriter"},
  };
  const auto found = names.find(field);
  return found == names.end() ? std::string() : found->second;
}

std::string DigitsOf(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c >= '0' && c <= '9') out += c;
  }
  return out;
}

// The oracle's XMP value of a field in our form: list fields joined, photoshop:DateCreated
// ("1993:01:01 03:11:11.311+01:00") split into the IIM's date and time; nothing when the packet
// lacks it.
std::optional<std::string> XmpFromOracle(const nlohmann::json& oracle, const tIptcFieldRow& row) {
  const std::string key = XmpNameOf(row.Field);
  if (key.empty() || !oracle.contains(key)) return std::nullopt;
  if (key == "XMP-photoshop:DateCreated") {
    const std::string text = OracleText(oracle[key]);
    const auto blank = text.find(' ');
    if (row.Field == "DateCreated") {
      std::string date = DigitsOf(text.substr(0, blank));
      date.resize(8, '0');
      return date;
    }
    if (blank == std::string::npos) return std::nullopt;  // a date alone states no time
    const std::string clock = text.substr(blank + 1);
    const auto zone = clock.find_first_of("+-Z");
    std::string time = DigitsOf(clock.substr(0, std::min(clock.find('.'), zone)));
    time.resize(6, '0');
    if (zone != std::string::npos)
      time += clock[zone] == 'Z' ? "+0000" : clock[zone] + DigitsOf(clock.substr(zone + 1));
    return time;
  }
  const std::vector<std::string> items = OracleList(oracle[key]);
  // Only the list fields are comma lists: the By-line takes the first of several creators.
  return row.IsList ? JoinCommaList(items) : (items.empty() ? "" : items.front());
}

// What a read must give by the Metadata Working Group's rule: the XMP value where the packet has
// one and there is no IIM, no IPTC digest, or a digest that matches the IIM; else the IIM value.
std::string ExpectedByRule(const nlohmann::json& oracle, const tIptcFieldRow& row) {
  const std::string iim = ExpectedFromOracle(oracle, row);
  const auto xmp = XmpFromOracle(oracle, row);
  if (!xmp) return iim;
  bool hasIim = false;
  for (const tIptcFieldRow& field : kIptcFields)
    hasIim = hasIim || !ExpectedFromOracle(oracle, field).empty();
  const bool digestDiffers = oracle.contains("Photoshop:IPTCDigest") &&
                             oracle.contains("File:CurrentIPTCDigest") &&
                             oracle["Photoshop:IPTCDigest"] != oracle["File:CurrentIPTCDigest"];
  return !hasIim || !digestDiffers ? *xmp : iim;
}

std::map<std::string, std::string> ReadIptc(LoadedPlugin& plugin, const std::string& path,
                                            bool& result) {
  plugin.Host().setCalls.clear();
  result = plugin.Run(1, {path});
  return {plugin.Host().setCalls.begin(), plugin.Host().setCalls.end()};
}

TEST(IptcCorpus, EveryJpegAndTiffReadsAsExifToolSaysOrAsTheKnownDifferenceSays) {
  LoadedPlugin plugin;
  std::map<std::pair<std::string, std::string>, tKnownDifference> known;
  for (const auto& k : KnownDifferences("iptc")) known[{k.file, k.field}] = k;
  std::set<std::pair<std::string, std::string>> used;
  int files = 0;
  for (const tCorpusFile& corpus : CorpusFiles()) {
    if (CorpusFormat(corpus.file) == FileFormat::kUnknown) continue;
    SCOPED_TRACE(corpus.file);
    ++files;
    bool result = false;
    auto ours = ReadIptc(plugin, CorpusFile(corpus.file), result);
    ASSERT_EQ(ours.size(), kIptcFields.size() + 2);  // and the header and XMP variables
    EXPECT_EQ(result, ours["[duxIPTC_Header]"] == "1" || ours["[duxIPTC_XMP]"] == "1");
    nlohmann::json oracle = OracleOf(corpus.file);
    const auto whole = known.find({corpus.file, "*"});
    bool wholeDiffers = false;
    if (whole != known.end()) {
      used.insert(whole->first);
      if (whole->second.ours == "empty") {
        EXPECT_EQ(ours["[duxIPTC_Header]"], "0");
      } else {
        oracle = OracleOf(whole->second.ours.substr(1));  // "=other/file.jpg"
      }
    }
    for (const tIptcFieldRow& row : kIptcFields) {
      SCOPED_TRACE(std::string(row.Field));
      const std::string& mine = ours[std::string(row.Variable)];
      std::string expected = ExpectedByRule(oracle, row);
      if (whole != known.end()) {
        wholeDiffers = wholeDiffers || ExpectedByRule(OracleOf(corpus.file), row) != mine;
        if (whole->second.ours == "empty") expected.clear();
      }
      const auto k = known.find({corpus.file, std::string(row.Field)});
      if (k != known.end()) {
        used.insert(k->first);
        EXPECT_EQ(mine, k->second.ours) << k->second.reason;
        EXPECT_NE(mine, expected) << "a known difference now agrees: remove it from the list";
      } else {
        EXPECT_EQ(mine, expected);
      }
    }
    if (whole != known.end()) {
      EXPECT_TRUE(wholeDiffers) << "a known difference now agrees: remove it";
    }
  }
  EXPECT_GT(files, 120);
  for (const auto& [key, row] : known)
    EXPECT_TRUE(used.count(key)) << "unused known difference " << key.first;
}

TEST(IptcCorpus, AFileWithoutIptcAfterOneWithItEmptiesEveryVariable) {
  LoadedPlugin plugin;
  bool result = false;
  auto first = ReadIptc(plugin, CorpusFile("iptc/iptc_exif_bug501_nonascii.jpg"), result);
  EXPECT_TRUE(result);
  EXPECT_EQ(first["[duxIPTC_ByLine]"], "Elsa Nordh");
  EXPECT_EQ(first["[duxIPTC_City]"], "G\xF6teborg");
  auto second = ReadIptc(plugin, CorpusFile("structure/plain_noexif_exifr.jpg"), result);
  EXPECT_FALSE(result);
  EXPECT_EQ(plugin.Host().variables["[duxIPTC_ByLine]"], "");
  EXPECT_EQ(plugin.Host().variables["[duxIPTC_Header]"], "0");
}

}  // namespace
}  // namespace dux::test
