#include "platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <vector>

#include "platform/FormatError.h"
#include "platform/posix/SystemPath.h"

namespace dux::platform {
namespace {

// Throws a FileError: `what` and the system's reason make its message.
[[noreturn]] void Fail(const std::string& what, const std::string& reason) {
  throw FileError(what + reason, reason);
}

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
  ~PosixInputFile() override {
    if (mapped_ != nullptr) munmap(mapped_, mappedSize_);
    close(fd_);
  }
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
        (void)posix_fadvise(fd_, static_cast<off_t>(position_),
                            static_cast<off_t>(std::max(size, kColdRequest)), POSIX_FADV_WILLNEED);
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
  std::string_view MapWhole() override {
    if (mapped_ == nullptr && !mapTried_) {
      mapTried_ = true;
      const std::int64_t size = Size();
      if (size <= 0 || static_cast<std::uint64_t>(size) > SIZE_MAX) return {};
      void* at = mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_PRIVATE, fd_, 0);
      if (at == MAP_FAILED) return {};
      mapped_ = at;
      mappedSize_ = static_cast<std::size_t>(size);
    }
    return mapped_ == nullptr ? std::string_view()
                              : std::string_view(static_cast<const char*>(mapped_), mappedSize_);
  }

 private:
  int fd_;
  void* mapped_ = nullptr;
  std::size_t mappedSize_ = 0;
  bool mapTried_ = false;
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
  if (path.empty() || stat(SystemPath(path).c_str(), &info) != 0) return std::nullopt;
  return StampOf(info);
}

bool FileExists(const std::string& path) {
  const auto stamp = LookUpFile(path);
  return stamp && !stamp->isDirectory;
}

std::string LastSystemErrorText() { return ErrnoText(errno); }

std::unique_ptr<InputFile> OpenInputFile(const std::string& path, LookUp lookUp, Access access) {
  // A pipe would hold the open until a writer comes; a regular file's reads do not heed the flag.
  const int fd = open(SystemPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) Fail("Cannot open '" + path + "': ", ErrnoText(errno));
  // The kernel takes every read for the start of a sequential one: its first read from the disk
  // is four times the size asked for, and marks where the asked part ends; a later read there
  // sends for the next window, four times that again. A scan of the leading segments reads 16 KB
  // and then the next 4 KB, and so had the disk send the first 320 KB (with 8 MB of read-ahead),
  // five times what it asked for. Reads in parts ask for what they need themselves (see Read);
  // a file no longer than what a cold read asks for has nothing after it to read ahead.
  const auto readInParts = [fd] { (void)posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM); };
  if (lookUp == LookUp::kWhenAsked) {
    if (access == Access::kInParts) readInParts();
    return std::make_unique<PosixInputFile>(fd, std::nullopt);
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int error = errno;
    const bool folder = S_ISDIR(info.st_mode), other = info.st_mode != 0;
    close(fd);
    Fail("Cannot open '" + path + "': ", folder  ? ErrnoText(EISDIR)
                                         : other ? "not a regular file"
                                                 : ErrnoText(error));
  }
  if (access == Access::kInParts && info.st_size > static_cast<off_t>(kColdRequest)) readInParts();
  return std::make_unique<PosixInputFile>(fd, info);
}

namespace {

// Whether `name` is one of the temporary files a ReplacingFile makes: ".NAME.dux-XXXXXX".
bool IsTemporaryName(std::string_view name) {
  constexpr std::string_view kMark = ".dux-";
  if (name.size() < 1 + 1 + kMark.size() + 6 || name.front() != '.') return false;
  const std::string_view end = name.substr(name.size() - 6 - kMark.size());
  return end.starts_with(kMark) &&
         std::all_of(
             end.begin() + static_cast<std::ptrdiff_t>(kMark.size()), end.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
             });
}

// Removes the temporary files that writes killed part of the way left in `folder`: those older
// than a write takes. What cannot be removed stays; a write does not fail for it.
void RemoveStaleTemporaries(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  const std::time_t before = std::time(nullptr) - 60 * kStaleTemporaryMinutes;
  while (const dirent* entry = readdir(dir)) {
    if (!IsTemporaryName(entry->d_name)) continue;
    struct stat info {};
    if (fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(info.st_mode) && info.st_mtime < before) {
      (void)unlinkat(dirfd(dir), entry->d_name, 0);
    }
  }
  closedir(dir);
}

// A write past the process's file size limit ends the process by SIGXFSZ unless the signal is
// ignored; ignored, the write fails with EFBIG and is cleaned up. A handler the host set stays.
void IgnoreFileSizeSignal() {
  struct sigaction current {};
  if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    (void)sigaction(SIGXFSZ, &ignore, nullptr);
  }
}

}  // namespace

class ReplacingFile::Impl {
 public:
  int fd = -1;
  std::optional<struct stat> old;  // the file replaced, as it was when the write started
};

ReplacingFile::ReplacingFile(const std::string& destination)
    : destination_(destination), target_(SystemPath(destination)), impl_(std::make_unique<Impl>()) {
  const auto refuse = [&destination](const std::string& reason) {
    Fail("Cannot write '" + destination + "': ", reason);
  };
  // A symbolic link stays one: the file it names is replaced.
  struct stat link {};
  if (lstat(target_.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    char* named = realpath(target_.c_str(), nullptr);
    if (named == nullptr)
      refuse("it is a symbolic link to nothing that can be written (" + ErrnoText(errno) + ")");
    target_ = named;
    std::free(named);
  }
  struct stat old {};
  if (stat(target_.c_str(), &old) == 0) {
    if (!S_ISREG(old.st_mode)) refuse("not a regular file");
    if (old.st_nlink > 1) {
      refuse("it has " + std::to_string(old.st_nlink) +
             " hard links, and a new file in its place would part it from the others");
    }
    impl_->old = old;
  }
  RemoveStaleTemporaries(FolderOf(target_));
  IgnoreFileSizeSignal();
  std::string pattern = FolderOf(target_) + "/." + BaseNameOf(target_) + ".dux-XXXXXX";
  impl_->fd = mkstemp(pattern.data());
  if (impl_->fd < 0)
    Fail("Cannot create a temporary file beside '" + destination + "': ", ErrnoText(errno));
  temporary_ = pattern;
  // The owner and group of the file replaced, where the system lets this process give them (the
  // group alone, when it belongs to it); else the writer's.
  if (impl_->old && fchown(impl_->fd, impl_->old->st_uid, impl_->old->st_gid) != 0) {
    (void)fchown(impl_->fd, static_cast<uid_t>(-1), impl_->old->st_gid);
  }
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

std::unique_ptr<InputFile> ReplacingFile::ReadBack() {
  try {
    return OpenInputFile(temporary_);
  } catch (const FileError& e) {
    Fail("Cannot read back what was written for '" + destination_ + "': ", e.Reason());
  }
}

void ReplacingFile::Commit() {
  const auto fail = [this](const char* what, int error) {
    Fail(std::string("Cannot ") + what + " '" + destination_ + "': ", ErrnoText(error));
  };
  mode_t mode = 0;
  if (impl_->old) {
    mode = impl_->old->st_mode & 07777;
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
  if (rename(temporary_.c_str(), target_.c_str()) != 0) fail("replace", errno);
  committed_ = true;
}

}  // namespace dux::platform
