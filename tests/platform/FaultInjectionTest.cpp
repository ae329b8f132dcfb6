// What real disks do to a rewrite: the disk fills part way, the rename is refused, the source
// changes while it is rewritten or is gone, the destination cannot be written. Every time the
// write reports the failure, the destination keeps its old bytes, the source is unchanged and
// no temporary file remains. The faults come from an output of the test's own that wraps the
// real temporary-file writer, so the writer's own clean-up is what is tested.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "metadata/jpeg/JpegRewrite.h"
#include "platform/Files.h"
#include "platform/FormatError.h"
#include "tests/support/IptcRewrite.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/TempDir.h"

namespace dux {
namespace {

const std::string kApp0 = test::Segment(0xE0, std::string("JFIF\0\x01\x02\0\0\x01\0\x01\0\0", 14));

// The disk and the rename as a test wants them: a ReplacingFile that takes `room` bytes before
// the disk is "full" (-1: no limit), and whose rename may be refused.
struct tFaults {
  std::int64_t room = -1;
  bool refuseRename = false;
};

class FaultyOutput final : public platform::OutputFile {
 public:
  FaultyOutput(const std::string& destination, const tFaults& faults)
      : destination_(destination), faults_(faults), file_(destination) {}
  void Write(std::string_view bytes) override {
    if (faults_.room >= 0 && written_ + std::ssize(bytes) > faults_.room) {
      file_.Write(bytes.substr(
          0, static_cast<std::size_t>(std::max<std::int64_t>(faults_.room - written_, 0))));
      throw FileError("Cannot write '" + destination_ + "': no space left", "no space left");
    }
    written_ += std::ssize(bytes);
    file_.Write(bytes);
  }
  std::unique_ptr<platform::InputFile> ReadBack() override { return file_.ReadBack(); }
  void Commit() override {
    if (faults_.refuseRename)
      throw FileError("Cannot replace '" + destination_ + "': refused", "refused");
    file_.Commit();
  }

 private:
  std::string destination_;
  tFaults faults_;
  platform::ReplacingFile file_;
  std::int64_t written_ = 0;
};

class FaultInjection : public ::testing::Test {
 protected:
  FaultInjection() {
    source = dir.File("source.jpg");
    destination = dir.File("destination.jpg");
    sourceBytes = test::JpegWith({kApp0, test::Segment(0xFE, "a comment")}, 64, 48);
    test::WriteFileBytes(source, sourceBytes);
    test::WriteFileBytes(destination, "old bytes");
  }

  // Rewrites the source with a City: true when it failed. `whenWriting` runs as the output
  // opens, after the source was loaded (the world changing part way).
  bool WriteFails(
      const tFaults& faults = {}, const std::function<void()>& whenWriting = [] {},
      const std::string& to = "") {
    const OutputOpener open = [&](const std::string& name) {
      whenWriting();
      return std::make_unique<FaultyOutput>(name, faults);
    };
    try {
      test::RewriteIptc(source, to.empty() ? destination : to, {{"City", "Rome"}}, open);
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
  for (const std::int64_t room : {std::int64_t{0}, std::int64_t{1}, std::int64_t{100},
                                  static_cast<std::int64_t>(sourceBytes.size())}) {
    SCOPED_TRACE(room);
    EXPECT_TRUE(WriteFails({room, false}));
    EXPECT_NE(message.find("destination.jpg"), std::string::npos) << message;
    ExpectNothingChanged(sourceBytes);
  }
  EXPECT_FALSE(WriteFails({1 << 20, false}));  // room enough: the same write succeeds
  EXPECT_NE(test::ReadFileBytes(destination), "old bytes");
}

TEST_F(FaultInjection, ARenameThatIsRefused) {
  EXPECT_TRUE(WriteFails({-1, true}));
  EXPECT_NE(message.find("destination.jpg"), std::string::npos) << message;
  ExpectNothingChanged(sourceBytes);
}

TEST_F(FaultInjection, ASourceThatChangesWhileItIsRewrittenOrIsGone) {
  // The segments are read once and the source stays open. Where the system lets others write
  // it meanwhile (POSIX), a source whose length changes before its image data is copied is
  // refused rather than spliced; where it does not (Windows), the change itself is refused and
  // the write goes on with what it read.
  const std::string other =
      test::JpegWith({test::Segment(0xFE, "another comment, longer"), kApp0}, 32, 32);
  bool changed = false;
  const bool failed = WriteFails({}, [&] {
    try {
      test::WriteFileBytes(source, other);
      changed = true;
    } catch (const std::exception&) {  // locked while it is being read
    }
  });
  if (changed) {
    EXPECT_TRUE(failed);
    EXPECT_NE(message.find("changed"), std::string::npos) << message;
    ExpectNothingChanged(other);
  } else {
    EXPECT_FALSE(failed) << message;
    EXPECT_EQ(test::ReadFileBytes(source), sourceBytes);
    EXPECT_EQ(test::ImageTail(test::ReadFileBytes(destination)), test::ImageTail(sourceBytes));
    test::WriteFileBytes(destination, "old bytes");
  }
  std::filesystem::remove(source);
  EXPECT_TRUE(WriteFails());
  EXPECT_NE(message.find("source.jpg"), std::string::npos) << message;
  EXPECT_EQ(test::ReadFileBytes(destination), "old bytes");
  EXPECT_EQ(dir.Listing(), "destination.jpg\n");
}

TEST_F(FaultInjection, ADestinationThatIsAFolderOrCannotBeWritten) {
  const std::string folder = dir.File("folder.jpg");
  std::filesystem::create_directory(folder);
  EXPECT_TRUE(WriteFails(
      {}, [] {}, folder));
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  std::filesystem::remove(folder);
  const std::string locked = dir.File("locked");
  std::filesystem::create_directory(locked);
  test::WriteFileBytes(locked + "/photo.jpg", "old bytes");
  std::filesystem::permissions(
      locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  std::error_code probe;
  const bool refused = !std::filesystem::copy_file(source, locked + "/probe.jpg", probe);
  if (refused) {
    EXPECT_TRUE(WriteFails(
        {}, [] {}, locked + "/photo.jpg"));
    EXPECT_EQ(test::ReadFileBytes(locked + "/photo.jpg"), "old bytes");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(locked), {}), 1);
  }
  std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
  std::filesystem::remove_all(locked);
  ExpectNothingChanged(sourceBytes);
}

}  // namespace
}  // namespace dux
