// The commands' file failures as a locked folder or file gives them, driven through the commands'
// own file services, so that they run whatever rights the tests have (an administrator writes
// into read-only folders and opens unreadable files).
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "host/IptcCommands.h"
#include "host/UtilityCommands.h"
#include "platform/FormatError.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/RegisteredHost.h"
#include "tests/support/TempDir.h"

namespace dux {
namespace {

class CommandFaults : public ::testing::Test {
 protected:
  test::RegisteredHost host;
  std::map<std::string, std::string>& variables = host.variables;
  test::TempDir dir;
};

TEST_F(CommandFaults, AWriteIntoAFolderThatRefusesNewFilesChangesNothing) {
  const std::string source = dir.File("in.jpg"), destination = dir.File("dest.jpg");
  test::WriteFileBytes(source, test::TinyJpeg());
  test::WriteFileBytes(destination, "old bytes");
  variables["[duxIPTC_City]"] = "Rome";
  tCommandFiles files;
  files.openOutput = [](const std::string& name) -> std::unique_ptr<platform::OutputFile> {
    throw FileError("Cannot create a temporary file beside '" + name + "': Permission denied",
                    "Permission denied");
  };
  try {
    IptcWrite(source, destination, files);
    ADD_FAILURE() << "the write reported success";
  } catch (const FormatError& e) {
    EXPECT_NE(std::string(e.what()).find("dest.jpg"), std::string::npos) << e.what();
  }
  EXPECT_EQ(test::ReadFileBytes(destination), "old bytes");
  EXPECT_EQ(dir.Listing(), "dest.jpg\nin.jpg\n");
}

TEST_F(CommandFaults, ALineListFileThatCannotBeOpenedGivesTheSystemsReason) {
  const std::string file = dir.File("locked.txt");
  test::WriteFileBytes(file, "Make=Canon\n");
  tCommandFiles files;
  files.readWholeFile = [](const std::string& path) -> std::string {
    throw FileError("Cannot open '" + path + "': Permission denied", "Permission denied");
  };
  EXPECT_FALSE(GetTag(file, "Make", "=", "2", "[out]", files));
  EXPECT_EQ(variables["[LastError]"], "Datei " + file +
                                          " kann nicht ge\xF6"
                                          "ffnet werden. Permission denied");
  EXPECT_EQ(variables.count("[out]"), 0u);
  // The same file through the platform's reader gives its line.
  EXPECT_TRUE(GetTag(file, "Make", "=", "2", "[out]"));
  EXPECT_EQ(variables["[out]"], "Canon");
}

}  // namespace
}  // namespace dux
