// A write that is safe on any file: what it refuses, what it leaves behind and what it keeps, on
// the real write path with the real temporary-file writer.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/IptcCommands.h"
#include "metadata/jpeg/JpegImage.h"
#include "platform/Files.h"
#include "platform/FormatError.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/RegisteredHost.h"
#include "tests/support/TempDir.h"

namespace dux {
namespace {

using test::Segment;

class Issue30 : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir.File(name);
    test::WriteFileBytes(path, bytes);
    return path;
  }
  // Writes a new city from `source` into `destination`; the error's text when it is refused.
  std::string Refusal(const std::string& source, const std::string& destination,
                      const tCommandFiles& files = {}) {
    host.variables["[duxIPTC_City]"] = "Rome";
    try {
      IptcWrite(source, destination, files);
    } catch (const FormatError& e) {
      return e.what();
    }
    return "";
  }

  test::RegisteredHost host;
  test::TempDir dir;
};

TEST_F(Issue30, SourcesAWriteCannotTakeAreRefusedBeforeTheyAreRead) {
  constexpr std::int64_t k300Mb = 300 << 20;
  // 300 MB of APP15 segments of 64 KB each, then nothing: only their heads are on the disk.
  std::vector<std::pair<std::int64_t, std::string>> app15 = {{0, "\xFF\xD8"}};
  for (std::int64_t at = 2; at + 65537 <= k300Mb; at += 65537)
    app15.emplace_back(at, "\xFF\xEF\xFF\xFF");
  struct Case {
    const char* what;
    std::vector<std::pair<std::int64_t, std::string>> pieces;
    const char* refusal;
  };
  for (const Case& c : {
           Case{"300 MB of zero bytes", {}, "Not a JPEG file: starts with 0x00 0x00"},
           Case{"300 MB of APP15 segments", app15,
                "more than 64 APP15 segments in front of its image data"},
       }) {
    SCOPED_TRACE(c.what);
    const std::string source = dir.File("big.jpg");
    test::WriteSparseFile(source, k300Mb, c.pieces);
    const std::string refusal = Refusal(source, dir.File("out.jpg"));
    EXPECT_NE(refusal.find(c.refusal), std::string::npos) << refusal;
    std::filesystem::remove(source);
    EXPECT_EQ(dir.Listing(), "");
  }
}

TEST_F(Issue30, TheTemporaryFilesOfWritesKilledPartWayAreRemovedByTheNextWrite) {
  const auto aged = [this](const std::string& name, std::chrono::minutes age) {
    const std::string path = Write(name, "left over");
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() - age);
  };
  aged(".old.jpg.dux-Ab12Cd", std::chrono::minutes(60));  // a write killed an hour ago
  aged(".now.jpg.dux-Ef34Gh", std::chrono::minutes(1));   // a write going on
  aged("old.jpg.dux-Ij56Kl", std::chrono::minutes(60));   // not ours: no leading dot
  aged(".old.jpg.dux-Mn78", std::chrono::minutes(60));    // not ours: too short
  const std::string source = Write("in.jpg", test::TinyJpeg());
  EXPECT_EQ(Refusal(source, dir.File("out.jpg")), "");
  EXPECT_EQ(dir.Listing(),
            ".now.jpg.dux-Ef34Gh\n.old.jpg.dux-Mn78\nin.jpg\nold.jpg.dux-Ij56Kl\nout.jpg\n");
}

TEST_F(Issue30, DestinationsAWriteWouldNotKeepAsTheyAreAreRefused) {
  const std::string source = Write("in.jpg", test::TinyJpeg());
  // A file with a second name: a new file in its place would part the two.
  const std::string linked = Write("linked.jpg", test::TinyJpeg());
  std::filesystem::create_hard_link(linked, dir.File("other-name.jpg"));
  EXPECT_NE(Refusal(source, linked).find("it has 2 hard links"), std::string::npos);
  // A name the host had to turn into "?": it is not the name the user gave.
  EXPECT_NE(Refusal(source, dir.File("?\?-out.jpg")).find("code page 1252 cannot hold"),
            std::string::npos);
  EXPECT_EQ(test::ReadFileBytes(linked), test::TinyJpeg());
  EXPECT_EQ(dir.Listing(), "in.jpg\nlinked.jpg\nother-name.jpg\n");
}

// The real writer, with a fault of its own planted in what it is handed: what an encoder bug
// would write.
class PlantedFault final : public platform::OutputFile {
 public:
  PlantedFault(const std::string& destination, std::function<void(std::string&)> fault)
      : file_(destination), fault_(std::move(fault)) {}
  void Write(std::string_view bytes) override {
    std::string changed(bytes);
    fault_(changed);
    file_.Write(changed);
  }
  std::unique_ptr<platform::InputFile> ReadBack() override { return file_.ReadBack(); }
  void Commit() override { file_.Commit(); }

 private:
  platform::ReplacingFile file_;
  std::function<void(std::string&)> fault_;
};

TEST_F(Issue30, AWriteThatDoesNotReadBackAsMeantIsRefusedAndNothingChanges) {
  // 600 KB of image data after the scan header: the rewrite writes it in three pieces.
  const std::string source = Write("in.jpg", test::TinyJpeg() + std::string(600000, 'x'));
  const std::string destination = Write("out.jpg", "the old bytes");
  struct Case {
    const char* what;
    std::function<void(std::string&)> fault;
    const char* found;
  };
  for (const Case& c : {
           Case{"a value's byte",
                [](std::string& b) {
                  if (const auto at = b.find("Rome"); at != std::string::npos) b[at + 1] = 'x';
                },
                "City reads \"Rxme\", not \"Rome\""},
           Case{"a byte of the image data",
                [](std::string& b) {
                  if (b.size() < 1u << 18) b.back() ^= 1;
                },
                "the image data differs"},
           Case{"a dataset's length",
                [](std::string& b) {
                  if (const auto at = b.find("\x1C\x02\x5A\x00\x04"); at != std::string::npos)
                    b[at + 4] = 3;
                },
                "City reads \"Rom\""},
       }) {
    SCOPED_TRACE(c.what);
    tCommandFiles files;
    files.openOutput = [&c](const std::string& name) {
      return std::make_unique<PlantedFault>(name, c.fault);
    };
    const std::string refusal = Refusal(source, destination, files);
    EXPECT_NE(refusal.find("did not read back as meant"), std::string::npos) << refusal;
    EXPECT_NE(refusal.find(c.found), std::string::npos) << refusal;
    EXPECT_EQ(test::ReadFileBytes(destination), "the old bytes");
    EXPECT_EQ(dir.Listing(), "in.jpg\nout.jpg\n");
  }
  // Without a fault the same write goes through.
  EXPECT_EQ(Refusal(source, destination), "");
}

}  // namespace
}  // namespace dux
