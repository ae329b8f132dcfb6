#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <ctime>
#include <optional>
#include <vector>

#include "platform/FormatError.h"

namespace dux::platform {
namespace {

// Throws a FileError: `what` and the system's reason make its message.
[[noreturn]] void Fail(const std::string& what, const std::string& reason) { throw FileError(what + reason, reason); }

std::string ErrnoText(int error) { return std::strerror(error); }

// What a read asks of the disk at the least when the page cache lacks its bytes.
constexpr std::size_t kColdRequest = 1 << 16;

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

tFileStamp StampOf(const struct stat& info) {
  tFileStamp stamp;
  stamp.size = static_cast<std::int64_t>(info.st_size);
  stamp.isDirectory = S_ISDIR(info.st_mode);
  std::tm local{};
  const std::time_t when = info.st_mtime;
  if (localtime_r(&when, &local) != nullptr) {
    stamp.year = local.tm_year + 1900;
    stamp.month = local.tm_mon + 1;
    stamp.day = local.tm_mday;
    stamp.hour = local.tm_hour;
    stamp.minute = local.tm_min;
    stamp.second = local.tm_sec;
  }
  return stamp;
}

class PosixInputFile final : public InputFile {
 public:
  PosixInputFile(int fd, const std::optional<struct stat>& info) : fd_(fd), info_(info) {}
  ~PosixInputFile() override { close(fd_); }
  PosixInputFile(const PosixInputFile&) = delete;
  PosixInputFile& operator=(const PosixInputFile&) = delete;

  std::size_t Read(char* buffer, std::size_t size) override {
    // Reads at the file's own position: a seek is no system call.
    if (tryCacheFirst_) {
      // Readers take a few KB and jump over what they do not need, which leaves the kernel's
      // read-ahead little to go on. So a read is first tried from the page cache alone; when
      // its bytes are not there, the next 64 KB are asked of the disk in one request before
      // the read waits for them. A read from the cache costs no more than a plain one. For a
      // file read in parts, that request is the only read-ahead.
      iovec part{buffer, size};
      const ssize_t got = preadv2(fd_, &part, 1, static_cast<off_t>(position_), RWF_NOWAIT);
      if (got >= 0) return Advance(got);
      if (errno == EAGAIN) {
        (void)posix_fadvise(fd_, static_cast<off_t>(position_), static_cast<off_t>(std::max(size, kColdRequest)),
                            POSIX_FADV_WILLNEED);
      } else if (errno != EINTR) {
        tryCacheFirst_ = false;  // not supported here: plain reads from now on
      }
    }
    for (;;) {
      const ssize_t got = pread(fd_, buffer, size, static_cast<off_t>(position_));
      if (got >= 0) return Advance(got);
      if (errno != EINTR) Fail("Cannot read: ", ErrnoText(errno));
    }
  }
  std::int64_t Size() const override { return static_cast<std::int64_t>(Info().st_size); }
  tFileStamp Stamp() const override { return StampOf(Info()); }
  void Seek(std::int64_t offset) override {
    if (offset < 0) Fail("Cannot seek: ", ErrnoText(EINVAL));
    position_ = offset;
  }

 private:
  int fd_;
  mutable std::optional<struct stat> info_;  // as the file was when it was looked up
  std::int64_t position_ = 0;
  bool tryCacheFirst_ = true;

  const struct stat& Info() const {
    if (!info_) {
      struct stat info {};
      if (fstat(fd_, &info) != 0) Fail("Cannot look up the file: ", ErrnoText(errno));
      info_ = info;
    }
    return *info_;
  }

  std::size_t Advance(ssize_t got) {
    position_ += got;
    return static_cast<std::size_t>(got);
  }
};

}  // namespace

std::optional<tFileStamp> LookUpFile(const std::string& path) {
  struct stat info {};
  if (path.empty() || stat(path.c_str(), &info) != 0) return std::nullopt;
  return StampOf(info);
}

bool FileExists(const std::string& path) {
  const auto stamp = LookUpFile(path);
  return stamp && !stamp->isDirectory;
}

std::string LastSystemErrorText() { return ErrnoText(errno); }

std::unique_ptr<InputFile> OpenInputFile(const std::string& path, tLookUp lookUp, tAccess access) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail("Cannot open '" + path + "': ", ErrnoText(errno));
  // The kernel takes every read for the start of a sequential one: its first read from the disk
  // is four times the size asked for, and marks where the asked part ends; a later read there
  // sends for the next window, four times that again. A scan of the leading segments reads 16 KB
  // and then the next 4 KB, and so had the disk send the first 320 KB (with 8 MB of read-ahead),
  // five times what it asked for. Reads in parts ask for what they need themselves (see Read);
  // a file no longer than what a cold read asks for has nothing after it to read ahead.
  const auto readInParts = [fd] { (void)posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM); };
  if (lookUp == tLookUp::kWhenAsked) {
    if (access == tAccess::kInParts) readInParts();
    return std::make_unique<PosixInputFile>(fd, std::nullopt);
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
    close(fd);
    Fail("Cannot open '" + path + "': ", ErrnoText(error));
  }
  if (access == tAccess::kInParts && info.st_size > static_cast<off_t>(kColdRequest)) readInParts();
  return std::make_unique<PosixInputFile>(fd, info);
}

std::string ReadWholeFile(const std::string& path) {
  const auto file = OpenInputFile(path);
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(file->Size()));
  std::vector<char> chunk(1 << 16);
  try {
    for (;;) {
      const std::size_t got = file->Read(chunk.data(), chunk.size());
      if (got == 0) break;
      bytes.append(chunk.data(), got);
    }
  } catch (const FileError& e) {
    throw FileError("Cannot read '" + path + "': " + e.what(), e.Reason());
  }
  return bytes;
}

class ReplacingFile::Impl {
 public:
  int fd = -1;
  std::int64_t written = 0;
};

ReplacingFile::ReplacingFile(const std::string& destination)
    : destination_(destination), impl_(std::make_unique<Impl>()) {
  std::string pattern = FolderOf(destination) + "/." + BaseNameOf(destination) + ".dux-XXXXXX";
  impl_->fd = mkstemp(pattern.data());
  if (impl_->fd < 0) {
    Fail("Cannot create a temporary file beside '" + destination +
                      "': ", ErrnoText(errno));
  }
  temporary_ = pattern;
}

ReplacingFile::~ReplacingFile() {
  if (impl_->fd >= 0) close(impl_->fd);
  if (!committed_ && !temporary_.empty()) unlink(temporary_.c_str());
}

void ReplacingFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(impl_->fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail("Cannot write '" + destination_ + "': ", ErrnoText(errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

void ReplacingFile::Commit() {
  const auto fail = [this](const char* what, int error) {
    Fail(std::string("Cannot ") + what + " '" + destination_ + "': ", ErrnoText(error));
  };
  struct stat old {};
  mode_t mode = 0;
  if (stat(destination_.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  if (fchmod(impl_->fd, mode) != 0) fail("set the permissions of", errno);
  if (fsync(impl_->fd) != 0) fail("flush", errno);
  const int fd = impl_->fd;
  impl_->fd = -1;
  if (close(fd) != 0) fail("close", errno);
  if (rename(temporary_.c_str(), destination_.c_str()) != 0) fail("replace", errno);
  committed_ = true;
}

}  // namespace dux::platform
