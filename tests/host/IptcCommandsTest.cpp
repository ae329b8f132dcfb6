#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "metadata/iptc/IptcFields.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/PluginFixture.h"

namespace dux::test {
namespace {

const std::string kApp0 = Segment(0xE0, std::string("JFIF\0\x01\x02\0\0\x01\0\x01\0\0", 14));

std::string IptcApp13(const std::string& datasets) {
  return Segment(0xED, PhotoshopPayload(Resource(0x0404, datasets)));
}

class IptcCommands : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = plugin.Folder().File(name);
    WriteFileBytes(path, bytes);
    return path;
  }
  std::string Read(const std::string& path, const std::string& variable) {
    plugin.Host().setCalls.clear();
    plugin.Run(1, {path});
    return plugin.Host().variables[variable];
  }
  LoadedPlugin plugin;
};

TEST_F(IptcCommands, ReadSetsTheHeaderThenEveryVariableInTableOrderThenTheXmpFlag) {
  const std::string path =
      Write("a.jpg", JpegWith({kApp0, IptcApp13(Dataset(2, 90, "Rome") + Dataset(2, 80, "Anna"))}));
  EXPECT_TRUE(plugin.Run(1, {path}));
  const auto& calls = plugin.Host().setCalls;
  ASSERT_EQ(calls.size(), kIptcFields.size() + 2);  // and the header and XMP variables
  EXPECT_EQ(calls[0], (std::pair<std::string, std::string>{"[duxIPTC_Header]", "1"}));
  for (std::size_t i = 0; i < kIptcFields.size(); ++i)
    EXPECT_EQ(calls[i + 1].first, kIptcFields[i].Variable);
  EXPECT_EQ(calls[32], (std::pair<std::string, std::string>{"[duxIPTC_XMP]", "0"}));
  EXPECT_EQ(plugin.Host().variables["[duxIPTC_ByLine]"], "Anna");
  EXPECT_EQ(plugin.Host().variables["[duxIPTC_City]"], "Rome");
  EXPECT_EQ(plugin.Host().variables["[duxIPTC_State]"], "");
}

TEST_F(IptcCommands, ReadWithoutIptcEmptiesEveryVariableAndAnswersFalse) {
  plugin.Host().variables["[LastError]"] = "untouched";
  for (const std::string& path :
       {Write("plain.jpg", TinyJpeg()), plugin.Folder().File("missing.jpg"),
        Write("text.jpg", "not a jpeg")}) {
    SCOPED_TRACE(path);
    plugin.Host().setCalls.clear();
    EXPECT_FALSE(plugin.Run(1, {path}));
    ASSERT_EQ(plugin.Host().setCalls.size(), kIptcFields.size() + 2);
    EXPECT_EQ(plugin.Host().setCalls[0].second, "0");
    EXPECT_EQ(plugin.Host().setCalls[32],
              (std::pair<std::string, std::string>{"[duxIPTC_XMP]", "0"}));
    for (const auto& [name, value] : plugin.Host().setCalls) {
      if (name != "[duxIPTC_Header]" && name != "[duxIPTC_XMP]") {
        EXPECT_EQ(value, "") << name;
      }
    }
  }
  EXPECT_EQ(plugin.Host().variables["[LastError]"], "untouched");
}

TEST_F(IptcCommands, WriteCutsEachVariableToItsLimitAndKeepsEveryKeyword) {
  const std::string in = Write("in.jpg", TinyJpeg()), out = plugin.Folder().File("out.jpg");
  auto& vars = plugin.Host().variables;
  vars["[duxIPTC_Urgency]"] = "High";
  vars["[duxIPTC_LangID]"] = "123456789";
  vars["[duxIPTC_Keywords]"] =
      "one, two, three, four, five, six, a keyword of more than thirty-two letters";
  vars["[duxIPTC_ImageCaption]"] = std::string(2500, 'c');
  ASSERT_TRUE(plugin.Run(2, {in, out}));
  EXPECT_EQ(Read(out, "[duxIPTC_Urgency]"), "H");
  EXPECT_EQ(vars["[duxIPTC_LangID]"], "12");
  EXPECT_EQ(vars["[duxIPTC_Keywords]"],
            "one,two,three,four,five,six,a keyword of more than thirty-tw");
  EXPECT_EQ(vars["[duxIPTC_ImageCaption]"], std::string(2000, 'c'));
}

TEST_F(IptcCommands, WriteWithEveryVariableEmptyGivesTheEmptyBlock) {
  const std::string in = Write("in.jpg", JpegWith({kApp0, IptcApp13(Dataset(2, 80, "old"))}));
  const std::string out = plugin.Folder().File("out.jpg");
  ASSERT_TRUE(plugin.Run(2, {in, out}));
  const auto segments = LeadingSegments(ReadFileBytes(out));
  ASSERT_EQ(segments.size(), 2u);
  EXPECT_EQ(segments[1],
            Segment(0xED, PhotoshopPayload(std::string("8BIM\x04\x04\0\0\0\0\0\x08", 12) +
                                           std::string("\x1C\x02\x00\x00\x02\x00\x02\x00", 8) +
                                           std::string("8BIM\x04\x0B\0\0\0\0\0\0", 12))));
  EXPECT_EQ(Read(out, "[duxIPTC_Header]"), "1");
}

TEST_F(IptcCommands, WriteWithoutSourceRewritesTheDestinationInPlace) {
  const std::string path = Write("photo.jpg", JpegWith({kApp0, IptcApp13(Dataset(2, 80, "old"))}));
  plugin.Host().variables["[duxIPTC_City]"] = "Oslo";
  ASSERT_TRUE(plugin.Run(2, {"", path}));
  EXPECT_EQ(Read(path, "[duxIPTC_City]"), "Oslo");
  EXPECT_EQ(plugin.Host().variables["[duxIPTC_ByLine]"], "");
  // The JFIF header was read from the destination itself, so it is not doubled.
  EXPECT_EQ(LeadingSegments(ReadFileBytes(path))[0], kApp0);
  EXPECT_EQ(LeadingSegments(ReadFileBytes(path)).size(), 2u);
}

TEST_F(IptcCommands, WriteFailuresReachTheHostAndTouchNoFile) {
  const std::string good = Write("good.jpg", TinyJpeg());
  const std::string png = Write("png.jpg", "\x89PNG\r\n\x1A\n");
  const std::string dest = Write("dest.jpg", "old bytes");
  std::filesystem::create_directory(plugin.Folder().File("dir.jpg"));
  const std::string listing = plugin.Folder().Listing();
  struct Case {
    const char* what;
    std::string source, destination, named;
  };
  for (const Case& c :
       {Case{"missing source", plugin.Folder().File("none.jpg"), dest, "none.jpg"},
        Case{"PNG named .jpg", png, dest, "png.jpg"},
        Case{"missing folder", good, plugin.Folder().File("no/out.jpg"), "no"},
        Case{"destination is a folder", good, plugin.Folder().File("dir.jpg"), "dir.jpg"}}) {
    SCOPED_TRACE(c.what);
    plugin.Host().variables.erase("[LastError]");
    plugin.Host().variables["[duxIPTC_City]"] = "Rome";
    EXPECT_FALSE(plugin.Run(2, {c.source, c.destination}));
    EXPECT_NE(plugin.Host().variables["[LastError]"].find(c.named), std::string::npos)
        << plugin.Host().variables["[LastError]"];
    EXPECT_EQ(ReadFileBytes(dest), "old bytes");
    EXPECT_EQ(plugin.Folder().Listing(), listing);
  }
}

// An IPTC block after the quantization tables lies in the bytes a write copies as they are. A
// new block in front would hide it, and the fields the write left alone with it: the write is
// refused and no file is touched. The same block in front of the tables is rewritten in place.
TEST_F(IptcCommands, AnIptcBlockAfterTheTablesRefusesTheWriteAndTouchesNoFile) {
  const std::string iptc = IptcApp13(Dataset(2, 90, "Rome") + Dataset(2, 80, "Anna"));
  const std::string tiny = JpegWith({kApp0});
  const std::size_t tables = tiny.find("\xFF\xDB");
  ASSERT_NE(tables, std::string::npos);
  const std::size_t afterTables = tables + 2 +
                                  (static_cast<std::uint8_t>(tiny[tables + 2]) << 8 |
                                   static_cast<std::uint8_t>(tiny[tables + 3]));
  const std::string late =
      Write("late.jpg", tiny.substr(0, afterTables) + iptc + tiny.substr(afterTables));
  const std::string bytes = ReadFileBytes(late);
  EXPECT_EQ(Read(late, "[duxIPTC_ByLine]"), "Anna");  // read as it stands
  const std::string listing = plugin.Folder().Listing();
  plugin.Host().variables["[duxIPTC_City]"] = "Paris";
  for (const std::string& destination : {plugin.Folder().File("out.jpg"), std::string()}) {
    EXPECT_FALSE(plugin.Run(2, {late, destination}));
    EXPECT_NE(plugin.Host().variables["[LastError]"].find("stands after the image's tables"),
              std::string::npos)
        << plugin.Host().variables["[LastError]"];
    EXPECT_EQ(ReadFileBytes(late), bytes);
    EXPECT_EQ(plugin.Folder().Listing(), listing);
  }
  const std::string early = Write("early.jpg", JpegWith({kApp0, iptc}));
  EXPECT_EQ(Read(early, "[duxIPTC_City]"), "Rome");
  plugin.Host().variables["[duxIPTC_City]"] = "Paris";
  ASSERT_TRUE(plugin.Run(2, {early, plugin.Folder().File("early-out.jpg")}));
  EXPECT_EQ(Read(plugin.Folder().File("early-out.jpg"), "[duxIPTC_City]"), "Paris");
  EXPECT_EQ(plugin.Host().variables["[duxIPTC_ByLine]"], "Anna");
}

TEST_F(IptcCommands, WriteIntoAReadOnlyFolderFailsCleanly) {
  const std::string folder = plugin.Folder().File("locked");
  std::filesystem::create_directory(folder);
  const std::string good = Write("good.jpg", TinyJpeg());
  WriteFileBytes(folder + "/dest.jpg", "old bytes");
  std::filesystem::permissions(
      folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  // An administrator may write anyway; then the folder is no test of a refusal.
  std::error_code error;
  const bool refused = !std::filesystem::copy_file(good, folder + "/probe.jpg", error);
  if (refused) {
    EXPECT_FALSE(plugin.Run(2, {good, folder + "/dest.jpg"}));
    EXPECT_NE(plugin.Host().variables["[LastError]"].find("dest.jpg"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(folder + "/dest.jpg"), "old bytes");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
  }
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
  if (!refused) GTEST_SKIP() << "running with rights that ignore folder permissions";
}

TEST_F(IptcCommands, AnExistingDestinationKeepsItsPermissions) {
  namespace fs = std::filesystem;
  const std::string in = Write("in.jpg", TinyJpeg()), out = Write("out.jpg", TinyJpeg());
  fs::permissions(out, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::perms before = fs::status(out).permissions();
  ASSERT_TRUE(plugin.Run(2, {in, out}));
  EXPECT_EQ(fs::status(out).permissions(), before);
  EXPECT_EQ(Read(out, "[duxIPTC_Header]"), "1");
}

TEST_F(IptcCommands, ASuccessfulWriteLeavesLastErrorAlone) {
  plugin.Host().variables["[LastError]"] = "earlier";
  const std::string in = Write("in.jpg", TinyJpeg());
  EXPECT_TRUE(plugin.Run(2, {in, plugin.Folder().File("out.jpg")}));
  EXPECT_EQ(plugin.Host().variables["[LastError]"], "earlier");
}

}  // namespace
}  // namespace dux::test
