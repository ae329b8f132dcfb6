// duxIPTCread on every JPEG of the corpus, through the plug-in's exports, against ExifTool.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "metadata/IptcFields.h"
#include "metadata/TimgData.h"
#include "metadata/AsciiText.h"
#include "metadata/CommaList.h"
#include "tests/corpus/IptcCorpus.h"
#include "tests/support/Corpus.h"
#include "tests/support/PluginFixture.h"

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

std::map<std::string, std::string> ReadIptc(LoadedPlugin& plugin, const std::string& path, bool& result) {
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
    if (!IsJpegName(corpus.file) && FileKindOf(corpus.file) != tFileKind::kTiff) continue;
    SCOPED_TRACE(corpus.file);
    ++files;
    bool result = false;
    auto ours = ReadIptc(plugin, CorpusFile(corpus.file), result);
    ASSERT_EQ(ours.size(), 32u);
    EXPECT_EQ(result, ours["[duxIPTC_Header]"] == "1");
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
      std::string expected = ExpectedFromOracle(oracle, row);
      if (whole != known.end()) {
        wholeDiffers = wholeDiffers || ExpectedFromOracle(OracleOf(corpus.file), row) != mine;
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
  for (const auto& [key, row] : known) EXPECT_TRUE(used.count(key)) << "unused known difference " << key.first;
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
