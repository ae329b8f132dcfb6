#include "platform/Files.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <vector>

#include "platform/FormatError.h"

namespace dux::platform {
namespace {

// Throws a FileError: `what` and the system's reason make its message.
[[noreturn]] void Fail(const std::string& what, const std::string& reason) {
  throw FileError(what + reason, reason);
}

std::string SystemText(DWORD error) {
  std::array<char, 512> buffer{};
  DWORD length =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                     buffer.data(), static_cast<DWORD>(buffer.size()), nullptr);
  while (length > 0 &&
         (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' || buffer[length - 1] == ' ')) {
    --length;
  }
  if (length == 0) return "system error " + std::to_string(error);
  return std::string(buffer.data(), length);
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return ".";
  return path.substr(0, slash + 1);
}

tFileStamp StampOf(const FILETIME& lastWrite, std::int64_t size, bool isDirectory) {
  tFileStamp stamp;
  stamp.size = size;
  stamp.isDirectory = isDirectory;
  FILETIME local{};
  SYSTEMTIME time{};
  if (FileTimeToLocalFileTime(&lastWrite, &local) && FileTimeToSystemTime(&local, &time)) {
    stamp.year = time.wYear;
    stamp.month = time.wMonth;
    stamp.day = time.wDay;
    stamp.hour = time.wHour;
    stamp.minute = time.wMinute;
    stamp.second = time.wSecond;
  }
  return stamp;
}

class Win32InputFile final : public InputFile {
 public:
  Win32InputFile(HANDLE handle, const std::optional<BY_HANDLE_FILE_INFORMATION>& info)
      : handle_(handle), info_(info) {}
  ~Win32InputFile() override {
    if (view_ != nullptr) UnmapViewOfFile(view_);
    if (mapping_ != nullptr) CloseHandle(mapping_);
    CloseHandle(handle_);
  }
  Win32InputFile(const Win32InputFile&) = delete;
  Win32InputFile& operator=(const Win32InputFile&) = delete;

  // Reads at the file's own position: a seek is no system call.
  std::size_t Read(char* buffer, std::size_t size) override {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(position_ & 0xFFFFFFFF);
    at.OffsetHigh = static_cast<DWORD>(position_ >> 32);
    DWORD got = 0;
    const DWORD wanted = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    if (!ReadFile(handle_, buffer, wanted, &got, &at)) {
      const DWORD error = GetLastError();
      if (error != ERROR_HANDLE_EOF) Fail("Cannot read: ", SystemText(error));
      got = 0;
    }
    position_ += got;
    return got;
  }
  std::int64_t Size() const override { return SizeOf(Info()); }
  tFileStamp Stamp() const override {
    const BY_HANDLE_FILE_INFORMATION& info = Info();
    return StampOf(info.ftLastWriteTime, SizeOf(info),
                   (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  }
  void Seek(std::int64_t offset) override {
    if (offset < 0) Fail("Cannot seek: ", SystemText(ERROR_NEGATIVE_SEEK));
    position_ = offset;
  }
  std::string_view MapWhole() override {
    if (view_ == nullptr && !mapTried_) {
      mapTried_ = true;
      const std::int64_t size = Size();
      if (size <= 0 || static_cast<std::uint64_t>(size) > SIZE_MAX) return {};
      mapping_ = CreateFileMappingW(handle_, nullptr, PAGE_READONLY, 0, 0, nullptr);
      if (mapping_ == nullptr) return {};
      view_ = MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, static_cast<SIZE_T>(size));
      if (view_ == nullptr) return {};
      viewSize_ = static_cast<std::size_t>(size);
    }
    return view_ == nullptr ? std::string_view()
                            : std::string_view(static_cast<const char*>(view_), viewSize_);
  }

 private:
  HANDLE mapping_ = nullptr;
  void* view_ = nullptr;
  std::size_t viewSize_ = 0;
  bool mapTried_ = false;
  static std::int64_t SizeOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return static_cast<std::int64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
  }
  const BY_HANDLE_FILE_INFORMATION& Info() const {
    if (!info_) {
      BY_HANDLE_FILE_INFORMATION info{};
      if (!GetFileInformationByHandle(handle_, &info))
        Fail("Cannot look up the file: ", SystemText(GetLastError()));
      info_ = info;
    }
    return *info_;
  }
  HANDLE handle_;
  mutable std::optional<BY_HANDLE_FILE_INFORMATION> info_;  // as the file was when it was looked up
  std::int64_t position_ = 0;
};

}  // namespace

std::optional<tFileStamp> LookUpFile(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    return std::nullopt;
  }
  return StampOf(data.ftLastWriteTime,
                 static_cast<std::int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow,
                 (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string LastSystemErrorText() { return SystemText(GetLastError()); }

// Both ways of access open alike, with the sequential hint: how far Windows reads ahead of a
// scan has not been measured, so it is left as it was.
namespace {

// Opens for reading with the given sharing; with lookUp kAtOpen, refuses what is no regular file
// on a disk (a pipe, a device, a folder).
std::unique_ptr<InputFile> OpenForReading(const std::string& path, LookUp lookUp, DWORD share) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    Fail("Cannot open '" + path + "': ", SystemText(GetLastError()));
  }
  if (lookUp == LookUp::kWhenAsked) return std::make_unique<Win32InputFile>(handle, std::nullopt);
  BY_HANDLE_FILE_INFORMATION info{};
  const bool disk = GetFileType(handle) == FILE_TYPE_DISK;
  if (!disk || !GetFileInformationByHandle(handle, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    const DWORD error = GetLastError();
    CloseHandle(handle);
    Fail("Cannot open '" + path + "': ",
         disk && error != ERROR_SUCCESS ? SystemText(error) : "not a regular file");
  }
  return std::make_unique<Win32InputFile>(handle, info);
}

}  // namespace

std::unique_ptr<InputFile> OpenInputFile(const std::string& path, LookUp lookUp,
                                         Access /*access*/) {
  return OpenForReading(path, lookUp, FILE_SHARE_READ);
}

namespace {

std::string BaseNameOf(const std::string& path) {
  const auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

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

std::uint64_t Ticks(const FILETIME& time) {
  return static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

// Removes the temporary files that writes killed part of the way left in `folder`: those older
// than a write takes. What cannot be removed stays; a write does not fail for it.
void RemoveStaleTemporaries(const std::string& folder) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + ".*.dux-*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const std::uint64_t before = Ticks(now) - 600000000ull * kStaleTemporaryMinutes;  // 100 ns steps
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        IsTemporaryName(found.cFileName) && Ticks(found.ftLastWriteTime) < before) {
      DeleteFileA((folder + found.cFileName).c_str());
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

// Six letters or digits for a temporary file's name.
std::string RandomSuffix() {
  constexpr std::string_view kAlphabet =
      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  std::random_device source;
  std::string suffix;
  for (int i = 0; i < 6; ++i) suffix += kAlphabet[source() % kAlphabet.size()];
  return suffix;
}

}  // namespace

class ReplacingFile::Impl {
 public:
  HANDLE handle = INVALID_HANDLE_VALUE;
  bool replaces = false;  // the destination exists
  DWORD attributes = 0;   // the destination's, when it exists
  FILETIME created{};
};

ReplacingFile::ReplacingFile(const std::string& destination)
    : destination_(destination), target_(destination), impl_(std::make_unique<Impl>()) {
  const auto refuse = [&destination](const std::string& reason) {
    Fail("Cannot write '" + destination + "': ", reason);
  };
  HANDLE existing =
      CreateFileA(destination.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (existing != INVALID_HANDLE_VALUE) {
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(existing, &info) != 0;
    CloseHandle(existing);
    if (known && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      refuse("not a regular file");
    if (known && info.nNumberOfLinks > 1) {
      refuse("it has " + std::to_string(info.nNumberOfLinks) +
             " hard links, and a new file in its place would part it from the others");
    }
    impl_->replaces = true;
    impl_->attributes = known ? info.dwFileAttributes : 0;
    impl_->created = info.ftCreationTime;
  }
  const std::string folder = FolderOf(destination);
  const std::string prefix =
      (folder == "." ? std::string() : folder) + "." + BaseNameOf(destination) + ".dux-";
  RemoveStaleTemporaries(folder == "." ? std::string() : folder);
  DWORD error = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < 100 && error == ERROR_FILE_EXISTS; ++attempt) {
    temporary_ = prefix + RandomSuffix();
    // Shared for reading, so that the write can read back what it wrote before it commits.
    impl_->handle = CreateFileA(temporary_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    error = impl_->handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
  }
  if (impl_->handle == INVALID_HANDLE_VALUE) {
    temporary_.clear();
    Fail("Cannot create a temporary file beside '" + destination + "': ", SystemText(error));
  }
}

ReplacingFile::~ReplacingFile() {
  if (impl_->handle != INVALID_HANDLE_VALUE) CloseHandle(impl_->handle);
  if (!committed_ && !temporary_.empty()) DeleteFileA(temporary_.c_str());
}

void ReplacingFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x100000u ? 0x100000u : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(impl_->handle, bytes.data(), chunk, &written, nullptr) || written == 0) {
      Fail("Cannot write '" + destination_ + "': ", SystemText(GetLastError()));
    }
    bytes.remove_prefix(written);
  }
}

std::unique_ptr<InputFile> ReplacingFile::ReadBack() {
  try {
    // The writer's handle is open for writing: a reader must share writing with it.
    return OpenForReading(temporary_, LookUp::kAtOpen, FILE_SHARE_READ | FILE_SHARE_WRITE);
  } catch (const FileError& e) {
    Fail("Cannot read back what was written for '" + destination_ + "': ", e.Reason());
  }
}

void ReplacingFile::Commit() {
  const auto fail = [this](const char* what, DWORD error) {
    Fail(std::string("Cannot ") + what + " '" + destination_ + "': ", SystemText(error));
  };
  // ReplaceFile gives the new file the old one's attributes, access control and creation time;
  // where it does not (Wine renames), the attributes and the creation time are given here first.
  // A read-only file stays read-only only through ReplaceFile, which refuses to replace it.
  if (impl_->replaces) (void)SetFileTime(impl_->handle, &impl_->created, nullptr, nullptr);
  if (!FlushFileBuffers(impl_->handle)) fail("flush", GetLastError());
  HANDLE handle = impl_->handle;
  impl_->handle = INVALID_HANDLE_VALUE;
  if (!CloseHandle(handle)) fail("close", GetLastError());
  if (impl_->replaces && impl_->attributes != 0) {
    (void)SetFileAttributesA(temporary_.c_str(), impl_->attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  const bool done = impl_->replaces
                        ? ReplaceFileA(destination_.c_str(), temporary_.c_str(), nullptr,
                                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0
                        : MoveFileExA(temporary_.c_str(), destination_.c_str(),
                                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!done) fail("replace", GetLastError());
  committed_ = true;
}

}  // namespace dux::platform
