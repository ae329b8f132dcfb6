// What real disks do to a rewrite: the disk fills part way, the rename is refused, the source
// changes or vanishes between scan and load, the destination cannot be written. Every time the
// write reports the failure, the destination keeps its old bytes, the source is unchanged and
// no temporary file remains.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "metadata/TimgData.h"
#include "platform/FileFaults.h"
#include "platform/FormatError.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/TempDir.h"

namespace dux {
namespace {

const std::string kApp0 = test::Segment(0xE0, std::string("JFIF\0\x01\x02\0\0\x01\0\x01\0\0", 14));

class FaultInjection : public ::testing::Test {
 protected:
  FaultInjection() {
    source = dir.File("source.jpg");
    destination = dir.File("destination.jpg");
    sourceBytes = test::JpegWith({kApp0, test::Segment(0xFE, "a comment")}, 64, 48);
    test::WriteFileBytes(source, sourceBytes);
    test::WriteFileBytes(destination, "old bytes");
  }
  ~FaultInjection() override { platform::SetFileFaultsForTests({}); }

  // Scans the source, runs `between` (the world changing), then writes: true when it failed.
  bool WriteFails(const std::function<void()>& between = [] {}, const std::string& to = "") {
    TimgData image(255);
    image.ScanFile(source);
    image.StartEmptyIptc();
    image.iptcInfo->SetValue("City", "Rome");
    between();
    try {
      image.iptcInfo->WriteToFile(to.empty() ? destination : to, source);
    } catch (const FormatError& e) {
      message = e.what();
      return true;
    }
    return false;
  }
  void ExpectNothingChanged(const std::string& sourceNow) {
    EXPECT_EQ(test::ReadFileBytes(destination), "old bytes");
    EXPECT_EQ(test::ReadFileBytes(source), sourceNow);
    EXPECT_EQ(dir.Listing(), "destination.jpg\nsource.jpg\n");
  }

  test::TempDir dir;
  std::string source, destination, sourceBytes, message;
};

TEST_F(FaultInjection, ADiskThatFillsPartWay) {
  for (const std::int64_t limit : {std::int64_t{0}, std::int64_t{1}, std::int64_t{100}, static_cast<std::int64_t>(sourceBytes.size())}) {
    SCOPED_TRACE(limit);
    platform::SetFileFaultsForTests({limit, false});
    EXPECT_TRUE(WriteFails());
    EXPECT_NE(message.find("destination.jpg"), std::string::npos) << message;
    ExpectNothingChanged(sourceBytes);
  }
  platform::SetFileFaultsForTests({1 << 20, false});
  EXPECT_FALSE(WriteFails());  // room enough: the same write succeeds
}

TEST_F(FaultInjection, ARenameThatIsRefused) {
  platform::SetFileFaultsForTests({-1, true});
  EXPECT_TRUE(WriteFails());
  EXPECT_NE(message.find("destination.jpg"), std::string::npos) << message;
  ExpectNothingChanged(sourceBytes);
}

TEST_F(FaultInjection, ASourceThatChangesOrVanishesAfterTheScan) {
  const std::string other = test::JpegWith({test::Segment(0xFE, "another comment, longer"), kApp0}, 32, 32);
  EXPECT_TRUE(WriteFails([&] { test::WriteFileBytes(source, other); }));
  EXPECT_NE(message.find("changed"), std::string::npos) << message;
  ExpectNothingChanged(other);
  test::WriteFileBytes(source, sourceBytes);
  EXPECT_TRUE(WriteFails([&] { std::filesystem::remove(source); }));
  EXPECT_EQ(test::ReadFileBytes(destination), "old bytes");
  EXPECT_EQ(dir.Listing(), "destination.jpg\n");
}

TEST_F(FaultInjection, ADestinationThatIsAFolderOrCannotBeWritten) {
  const std::string folder = dir.File("folder.jpg");
  std::filesystem::create_directory(folder);
  EXPECT_TRUE(WriteFails([] {}, folder));
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  std::filesystem::remove(folder);
  const std::string locked = dir.File("locked");
  std::filesystem::create_directory(locked);
  test::WriteFileBytes(locked + "/photo.jpg", "old bytes");
  std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  std::error_code probe;
  const bool refused = !std::filesystem::copy_file(source, locked + "/probe.jpg", probe);
  if (refused) {
    EXPECT_TRUE(WriteFails([] {}, locked + "/photo.jpg"));
    EXPECT_EQ(test::ReadFileBytes(locked + "/photo.jpg"), "old bytes");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(locked), {}), 1);
  }
  std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
  std::filesystem::remove_all(locked);
  ExpectNothingChanged(sourceBytes);
}

}  // namespace
}  // namespace dux
