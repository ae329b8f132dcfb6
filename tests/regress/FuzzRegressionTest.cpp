// Every input the fuzzers ever found a fault with, replayed through its harness. A file in
// tests/regress/fuzz/<Target>/ must pass through fuzz::<Target> without a crash, a sanitizer
// report or a failed property.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "tests/fuzz/FuzzTargets.h"
#include "tests/support/TempDir.h"

namespace dux::test {
namespace {

using tHarness = std::function<void(const std::uint8_t*, std::size_t)>;

// Runs one input through a harness; a property that does not hold fails the test, which names the
// input, and the replay goes on with the next.
void Replay(const tHarness& harness, const std::string& bytes) {
  try {
    harness(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  } catch (const fuzz::PropertyFailure& failure) {
    ADD_FAILURE() << failure.what();
  }
}

TEST(FuzzRegression, EveryFoundInputPassesItsHarness) {
  const std::map<std::string, tHarness> harnesses = {{"JpegScan", &fuzz::JpegScan},
                                                     {"TiffScan", &fuzz::TiffScan},
                                                     {"IptcRoundTrip", &fuzz::IptcRoundTrip},
                                                     {"Xmp", &fuzz::Xmp},
                                                     {"TagSearch", &fuzz::TagSearch},
                                                     {"Bmff", &fuzz::Bmff},
                                                     {"Riff", &fuzz::Riff},
                                                     {"Png", &fuzz::Png}};
  const std::filesystem::path root =
      std::filesystem::path(DUX_SOURCE_DIR) / "tests" / "regress" / "fuzz";
  int replayed = 0;
  for (const auto& [name, harness] : harnesses) {
    // Every harness has its folder of inputs; a missing one is a fault of the tree, not a pass.
    ASSERT_TRUE(std::filesystem::is_directory(root / name)) << (root / name).string();
    int inFolder = 0;
    for (const auto& entry : std::filesystem::directory_iterator(root / name)) {
      SCOPED_TRACE(entry.path().string());
      Replay(harness, ReadFileBytes(entry.path().string()));
      ++replayed;
      ++inFolder;
    }
    EXPECT_GT(inFolder, 0) << name;
  }
  // The corpus's malformed files go through every harness as well.
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(DUX_CORPUS_DIR) + "/files/malformed")) {
    SCOPED_TRACE(entry.path().string());
    const std::string bytes = ReadFileBytes(entry.path().string());
    for (const auto& [name, harness] : harnesses) {
      SCOPED_TRACE(name);
      Replay(harness, bytes);
    }
    ++replayed;
  }
  EXPECT_GT(replayed, 30);
}

}  // namespace
}  // namespace dux::test
