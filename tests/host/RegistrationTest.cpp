#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/PluginFixture.h"

namespace dux::test {
namespace {

using tools::tAnnouncement;

std::vector<tAnnouncement> DefaultAnnouncements() {
  return {
      {0, "IPTC-Info", "", {0}, 0},
      {1, "duxIPTCread", "Reads IPTC-Info from a JPG-file!", {1}, 1},
      {2, "duxIPTCwrite", "Writes IPTC-Info from a JPG-file!", {1, 1}, 2},
      {3, "duxIPTCsetVar", "Set a variable for the plugin or any other variable.", {6, 1}, 2},
      {4, ".duxIPTCvarTemplate", "Insert a variable template with all plugin variables.", {1}, 1},
      {0, "EXIF-Info", "", {0}, 0},
      {5, "duxEXIFread", "Reads EXIF-Info from a JPG-file!", {1}, 1},
      {6,
       "duxGetTag",
       "Find a line with a tag-string and get line or field out of a string/file.",
       {1, 1, 1, 3, 6},
       5},
  };
}

void ExpectAnnouncements(const std::vector<tAnnouncement>& actual,
                         const std::vector<tAnnouncement>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("announcement " + std::to_string(i));
    EXPECT_EQ(actual[i].number, expected[i].number);
    EXPECT_EQ(actual[i].name, expected[i].name);
    EXPECT_EQ(actual[i].description, expected[i].description);
    EXPECT_EQ(actual[i].kinds, expected[i].kinds);
    EXPECT_EQ(actual[i].count, expected[i].count);
  }
}

TEST(Registration, AnnouncesTwoGroupsAndSixCommandsInOrder) {
  LoadedPlugin plugin;
  ExpectAnnouncements(plugin.Host().Announcements(), DefaultAnnouncements());
  EXPECT_TRUE(plugin.Host().setCalls.empty());
}

TEST(Registration, InitGivesTitleAuthorAndDefaultHint) {
  LoadedPlugin plugin;
  const auto texts = plugin.Host().Init();
  EXPECT_EQ(texts.title, "duxIPTC 1.09");
  EXPECT_EQ(texts.author, "The duxIPTC Team");
  EXPECT_EQ(texts.hint, "Use this plug-in to read/write IPTC-Info!");
}

TEST(Registration, IniOverridesDescriptionsAndTurnsPipesIntoLinesOnlyForCommands) {
  LoadedPlugin plugin(
      "[GroupDescription]\r\n"
      "1 = Pictures|Captions\r\n"
      "[commanddescription]\r\n"
      "duxIPTCread=First phrase|Second phrase\r\n"
      ".DUXIPTCVARTEMPLATE =  Template text  \r\n"
      "[PlugInHeader]\r\n"
      "PlugInHint=Read|Write\r\n");
  auto expected = DefaultAnnouncements();
  expected[0].name = "Pictures|Captions";
  expected[1].description = "First phrase\r\nSecond phrase";
  expected[4].description = "Template text";
  ExpectAnnouncements(plugin.Host().Announcements(), expected);
  EXPECT_EQ(plugin.Host().Init().hint, "Read\r\nWrite");
}

TEST(Registration, IniWithoutTheKeysGivesEveryDefault) {
  LoadedPlugin plugin("[Other]\nduxIPTCread=not this one\n");
  ExpectAnnouncements(plugin.Host().Announcements(), DefaultAnnouncements());
  EXPECT_EQ(plugin.Host().Init().hint, "Use this plug-in to read/write IPTC-Info!");
}

TEST(Registration, MessageOneGivesTheLibrarysOwnFullName) {
  LoadedPlugin plugin;
  plugin.Host().Message(2);
  plugin.Host().Message(0);
  EXPECT_TRUE(plugin.Host().setCalls.empty());
  plugin.Host().Message(1);
  ASSERT_EQ(plugin.Host().setCalls.size(), 1u);
  EXPECT_EQ(plugin.Host().setCalls[0].first, "[*/*duxIPTCDllName]");
  EXPECT_TRUE(std::filesystem::equivalent(plugin.Host().setCalls[0].second, plugin.LibraryPath()))
      << plugin.Host().setCalls[0].second;
  EXPECT_TRUE(std::filesystem::path(plugin.Host().setCalls[0].second).is_absolute());
}

TEST(Dispatch, NumbersWithoutABodyAnswerFalseAndSetNothing) {
  LoadedPlugin plugin;
  for (const int number : {0, 4, 7, -1, 1000}) {
    SCOPED_TRACE(number);
    EXPECT_FALSE(plugin.Run(number, {"x", "y", "z", "1", "[v]"}));
  }
  EXPECT_TRUE(plugin.Host().setCalls.empty());
}

TEST(Dispatch, TemplateParameterIsLeftUntouchedByExec) {
  LoadedPlugin plugin;
  std::vector<std::string> params = {"keep me"};
  EXPECT_FALSE(plugin.Host().Execute(4, params));
  EXPECT_EQ(params[0], "keep me");
}

}  // namespace
}  // namespace dux::test
