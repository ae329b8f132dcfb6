#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "host/UtilityCommands.h"
#include "metadata/iptc/IptcFields.h"
#include "tests/support/PluginFixture.h"

namespace dux::test {
namespace {

class TagSearch : public ::testing::Test {
 protected:
  // Runs duxGetTag into "[out]"; the result and what "[out]" and "[LastError]" hold afterwards.
  struct tOutcome {
    bool result;
    std::string out, lastError;
  };
  tOutcome Search(const std::string& list, const std::string& tag, const std::string& delimiter,
                  const std::string& index) {
    auto& vars = plugin.Host().variables;
    vars["[out]"] = "untouched";
    vars["[LastError]"] = "earlier";
    const bool result = plugin.Run(6, {list, tag, delimiter, index, "[out]"});
    return {result, vars["[out]"], vars["[LastError]"]};
  }
  LoadedPlugin plugin;
};

TEST_F(TagSearch, FindsTheLineAndField) {
  const std::string list = "Name=Joe\r\nCity=Rome";
  struct Case {
    std::string list, tag, delimiter, index, out;
  };
  for (const Case& c : std::vector<Case>{
           {list, "City", "=", "2", "Rome"},
           {list, "City", "=", "1", "City"},
           {list, "City", "=", "0", "City=Rome"},
           {list, "City", "=", "3", ""},
           {list, "City", "=", "-1", ""},
           {list, "Name", "=", " 2", "Joe"},
           {list, "name", "=", "2", ""},                          // the tag is case-sensitive
           {"AXbxc\r\n", "A", "X", "3", "c"},                     // the delimiter's split is not
           {"City=Paris\nCity=Rome", "City", "=", "2", "Paris"},  // the first line counts
           {"Town: City=Paris", "City", "=", "2", ""},            // not in mid-line
           {"a\nName=Joe", "Name", "=", "2", ""},                 // a line break before position 5
           {"xxxxx\nName=Joe", "Name", "=", "2", "Joe"},
           {"a==b=\r\n", "a", "=", "2", ""},  // an empty field between delimiters
           {"a==b=\r\n", "a", "=", "3", "b"},
           {"a==b=\r\n", "a", "=", "4", ""},           // none after the last one
           {"Name=Joe", "Name", "", "1", "Name=Joe"},  // an empty delimiter: one field
           {"A\xE4"
            "b\xC4"
            "c",
            "A", "\xE4", "3", "c"},  // a umlaut (E4) also splits at its capital (C4)
           {"A\xF7"
            "b\xD7"
            "c",
            "A", "\xF7", "2",
            "b\xD7"
            "c"},  // the division sign (F7) is no letter: not at D7
       }) {
    SCOPED_TRACE(c.list + " / " + c.tag + " / " + c.delimiter + " / " + c.index);
    const tOutcome o = Search(c.list, c.tag, c.delimiter, c.index);
    EXPECT_TRUE(o.result);
    EXPECT_EQ(o.out, c.out);
    EXPECT_EQ(o.lastError, "earlier");
  }
}

TEST_F(TagSearch, ErrorsGoToLastErrorInGerman) {
  tOutcome o = Search("Name=Joe", "Name", "=", "two");
  EXPECT_FALSE(o.result);
  EXPECT_EQ(o.lastError, "'two' ist kein g\xFCltiger Integerwert");
  EXPECT_EQ(o.out, "untouched");
  o = Search("", "", "", "0");
  EXPECT_FALSE(o.result);
  EXPECT_EQ(o.lastError,
            "Listenindex \xFC"
            "berschreitet das Maximum (0)");
}

TEST_F(TagSearch, ReadsALineListFromAFileWithAnExtension) {
  const std::string file = plugin.Folder().File("list.txt");
  WriteFileBytes(file, "Make=Canon\nModel=S30\rLens=18mm");
  EXPECT_EQ(Search(file, "Model", "=", "2").out, "S30");
  EXPECT_EQ(Search(file, "Lens", "=", "0").out, "Lens=18mm");
  // A name with an extension but no such file is searched as text.
  EXPECT_EQ(Search(plugin.Folder().File("none.txt"), "Make", "=", "2").out, "");
}

TEST_F(TagSearch, AFileThatCannotBeOpenedGivesTheSystemsReason) {
  const std::string file = plugin.Folder().File("locked.txt");
  WriteFileBytes(file, "Make=Canon\n");
  std::filesystem::permissions(file, std::filesystem::perms::none);
  const tOutcome locked = Search(file, "Make", "=", "2");
  std::filesystem::permissions(file, std::filesystem::perms::owner_all);
  if (locked.result) GTEST_SKIP() << "running with rights that ignore file permissions";
  EXPECT_EQ(locked.lastError.rfind("Datei " + file +
                                       " kann nicht ge\xF6"
                                       "ffnet werden. ",
                                   0),
            0u)
      << locked.lastError;
}

TEST(UtilityCommands, SetVariableAddsTheBrackets) {
  LoadedPlugin plugin;
  EXPECT_TRUE(plugin.Run(3, {"City", "Rome"}));
  EXPECT_EQ(plugin.Host().setCalls,
            (std::vector<std::pair<std::string, std::string>>{{"[City]", "Rome"}}));
}

TEST(UtilityCommands, TheTemplateHoldsALineForEveryVariable) {
  const std::string text = VariableTemplate();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::ssize(kIptcFields) + 1);
  EXPECT_EQ(text.substr(0, 20), "Start of template\"\r\n");
  EXPECT_NE(text.find("\r\nduxIPTCsetVar \"[duxIPTC_ByLine]\" \"\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nduxIPTCsetVar \"[duxIPTC_LangID]\" \"123456789\"\r\n"),
            std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 58),
            "duxIPTCsetVar \"[duxIPTC_Urgency]\" \"High\"\r\n.End of template");
}

}  // namespace
}  // namespace dux::test
