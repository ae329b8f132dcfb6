#include "tests/support/TempDir.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace dux::test {
namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<int> serial{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = fs::temp_directory_path() / ("duxtest-" + std::to_string(stamp) +
                                                            "-" + std::to_string(++serial));
    std::error_code error;
    if (fs::create_directory(candidate, error)) {
      path_ = candidate.string();
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code error;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
  fs::remove_all(path_, error);
}

std::string TempDir::File(const std::string& name) const {
  return (fs::path(path_) / name).string();
}

std::string TempDir::Listing() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  std::ostringstream out;
  for (const auto& n : names) out << n << "\n";
  return out.str();
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

void WriteSparseFile(const std::string& path, std::int64_t size,
                     const std::vector<std::pair<std::int64_t, std::string>>& pieces) {
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& [at, bytes] : pieces) {
      out.seekp(at);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    if (!out) throw std::runtime_error("cannot write " + path);
  }
  std::filesystem::resize_file(path, static_cast<std::uintmax_t>(size));
}

std::string CorpusFile(const std::string& relative) {
  return std::string(DUX_CORPUS_DIR) + "/files/" + relative;
}

}  // namespace dux::test
