// What a write keeps of a file on Windows: its attributes and its creation time (where the system
// keeps a creation time at all: Wine on Linux does not) go with the file it replaces, and its
// access control through ReplaceFile.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "host/IptcCommands.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/RegisteredHost.h"
#include "tests/support/TempDir.h"

namespace dux {
namespace {

FILETIME CreationTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  EXPECT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
  return data.ftCreationTime;
}

// Whether this system keeps a creation time a program sets: Wine on Linux does not.
bool KeepsCreationTimes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  const FILETIME then{0x5E2F4000, 0x01C08D3A};  // 2001-02-03
  const bool set = file != INVALID_HANDLE_VALUE && SetFileTime(file, &then, nullptr, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  const FILETIME now = CreationTime(path);
  return set && CompareFileTime(&then, &now) == 0;
}

TEST(Win32Write, TheDestinationKeepsItsAttributesAndCreationTime) {
  test::RegisteredHost host;
  test::TempDir dir;
  const std::string source = dir.File("in.jpg"), destination = dir.File("out.jpg");
  test::WriteFileBytes(source, test::TinyJpeg());
  test::WriteFileBytes(destination, "old");
  const DWORD attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
  ASSERT_TRUE(SetFileAttributesA(destination.c_str(), attributes));
  const bool creationTimes = KeepsCreationTimes(destination);
  const FILETIME created = CreationTime(destination);
  host.variables["[duxIPTC_City]"] = "Rome";
  ASSERT_TRUE(IptcWrite(source, destination));
  EXPECT_NE(test::ReadFileBytes(destination).find("Rome"), std::string::npos);
  EXPECT_EQ(GetFileAttributesA(destination.c_str()) & attributes, attributes);
  const FILETIME now = CreationTime(destination);
  if (creationTimes) {
    EXPECT_EQ(CompareFileTime(&created, &now), 0);
  }
}

}  // namespace
}  // namespace dux
