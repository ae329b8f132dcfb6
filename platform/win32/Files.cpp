#include "platform/Files.h"

#include <windows.h>

#include <array>
#include <optional>
#include <vector>

#include "platform/FormatError.h"

namespace dux::platform {
namespace {

// Throws a FileError: `what` and the system's reason make its message.
[[noreturn]] void Fail(const std::string& what, const std::string& reason) { throw FileError(what + reason, reason); }

std::string SystemText(DWORD error) {
  std::array<char, 512> buffer{};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr);
  while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' ||
                        buffer[length - 1] == ' ')) {
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
  Win32InputFile(HANDLE handle, const std::optional<BY_HANDLE_FILE_INFORMATION>& info) : handle_(handle), info_(info) {}
  ~Win32InputFile() override { CloseHandle(handle_); }
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
    return StampOf(info.ftLastWriteTime, SizeOf(info), (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  }
  void Seek(std::int64_t offset) override {
    if (offset < 0) Fail("Cannot seek: ", SystemText(ERROR_NEGATIVE_SEEK));
    position_ = offset;
  }

 private:
  static std::int64_t SizeOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return static_cast<std::int64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
  }
  const BY_HANDLE_FILE_INFORMATION& Info() const {
    if (!info_) {
      BY_HANDLE_FILE_INFORMATION info{};
      if (!GetFileInformationByHandle(handle_, &info)) Fail("Cannot look up the file: ", SystemText(GetLastError()));
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
  return StampOf(data.ftLastWriteTime, static_cast<std::int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow,
                 (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string LastSystemErrorText() { return SystemText(GetLastError()); }

// Both ways of access open alike, with the sequential hint: how far Windows reads ahead of a
// scan has not been measured, so it is left as it was.
std::unique_ptr<InputFile> OpenInputFile(const std::string& path, tLookUp lookUp, tAccess /*access*/) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    Fail("Cannot open '" + path + "': ", SystemText(GetLastError()));
  }
  if (lookUp == tLookUp::kWhenAsked) return std::make_unique<Win32InputFile>(handle, std::nullopt);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info)) {
    const DWORD error = GetLastError();
    CloseHandle(handle);
    Fail("Cannot open '" + path + "': ", SystemText(error));
  }
  return std::make_unique<Win32InputFile>(handle, info);
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
  HANDLE handle = INVALID_HANDLE_VALUE;
  std::int64_t written = 0;
};

ReplacingFile::ReplacingFile(const std::string& destination)
    : destination_(destination), impl_(std::make_unique<Impl>()) {
  std::array<char, MAX_PATH + 1> name{};
  if (GetTempFileNameA(FolderOf(destination).c_str(), "dux", 0, name.data()) == 0) {
    Fail("Cannot create a temporary file beside '" + destination +
                      "': ", SystemText(GetLastError()));
  }
  temporary_ = name.data();
  impl_->handle = CreateFileA(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (impl_->handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    DeleteFileA(temporary_.c_str());
    temporary_.clear();
    Fail("Cannot create a temporary file beside '" + destination +
                      "': ", SystemText(error));
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

void ReplacingFile::Commit() {
  const auto fail = [this](const char* what, DWORD error) {
    Fail(std::string("Cannot ") + what + " '" + destination_ + "': ", SystemText(error));
  };
  if (!FlushFileBuffers(impl_->handle)) fail("flush", GetLastError());
  HANDLE handle = impl_->handle;
  impl_->handle = INVALID_HANDLE_VALUE;
  if (!CloseHandle(handle)) fail("close", GetLastError());
  const DWORD attributes = GetFileAttributesA(destination_.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    SetFileAttributesA(temporary_.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  if (!MoveFileExA(temporary_.c_str(), destination_.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    fail("replace", GetLastError());
  }
  committed_ = true;
}

}  // namespace dux::platform
