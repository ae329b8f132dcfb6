#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace dux::test {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  // Path of `name` inside the folder.
  std::string File(const std::string& name) const;
  // Names of the entries in the folder, sorted.
  std::string Listing() const;

 private:
  std::string path_;
};

// Whole-file helpers for tests; failures are fatal test failures (they throw).
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Writes a file of `size` bytes, all zero but for `pieces` written at their offsets: the rest is
// a hole the file system need not store, so that tests can make files of hundreds of MB.
void WriteSparseFile(const std::string& path, std::int64_t size,
                     const std::vector<std::pair<std::int64_t, std::string>>& pieces);

// Path of a corpus file, given relative to the corpus folder ("iptc/x.jpg").
std::string CorpusFile(const std::string& relative);

}  // namespace dux::test
