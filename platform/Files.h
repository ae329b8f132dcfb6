#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace dux::platform {

// What a directory lookup tells about one file system entry.
struct tFileStamp {
  std::int64_t size = 0;
  bool isDirectory = false;
  // Last-write time in local time.
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Looks up `path` whatever its attributes (hidden, system, read-only, directory).
std::optional<tFileStamp> LookUpFile(const std::string& path);

// True when `path` names an existing file that is not a directory.
bool FileExists(const std::string& path);

// The platform's own text for the last failed file operation of this thread.
std::string LastSystemErrorText();

// A file opened for reading while others may read but not write it.
class InputFile {
 public:
  virtual ~InputFile() = default;
  // Reads up to `size` bytes; returns how many were read, 0 at the end. Throws FormatError when
  // the system reports a read error.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
  // Size of the file when it was looked up (see tLookUp). Throws FileError when the system
  // cannot tell it.
  virtual std::int64_t Size() const = 0;
  // The file's size and last-write time when it was looked up, as LookUpFile tells them.
  virtual tFileStamp Stamp() const = 0;
  // Moves the read position to `offset` from the start, without a system call: the next Read
  // reads there. Throws FormatError for a negative offset.
  virtual void Seek(std::int64_t offset) = 0;
};

// When an opened file is looked up: as it opens, so that Size and Stamp tell the file as it was
// opened and a folder does not open; or at the first Size or Stamp, for a reader that may need
// neither and saves the system call (a folder that opens then fails at its first read).
enum class tLookUp { kAtOpen, kWhenAsked };

// How a reader goes through a file: from the start to the end, so that the system reads ahead
// of it; or in parts, jumping over what it does not need, so that the disk is asked for the
// parts it reads and not for what lies after them.
enum class tAccess { kThrough, kInParts };

// Opens `path` for shared reading. Throws FileError naming the file, with the system's reason.
std::unique_ptr<InputFile> OpenInputFile(const std::string& path, tLookUp lookUp = tLookUp::kAtOpen,
                                         tAccess access = tAccess::kThrough);

// Reads the whole file. Throws FileError naming the file, with the system's reason.
std::string ReadWholeFile(const std::string& path);

// Where a writer's bytes go: nothing counts as written before a successful Commit.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Appends bytes. Throws FormatError (for example when the disk is full).
  virtual void Write(std::string_view bytes) = 0;
  // Makes the bytes the destination's. Throws FormatError.
  virtual void Commit() = 0;
};

// Replaces a file's contents safely: the bytes go to a temporary file in the destination's own
// folder, which Commit flushes to disk and renames over the destination. Until Commit succeeds
// the destination keeps its old bytes; a writer destroyed without a successful Commit removes
// its temporary file. An existing destination keeps its permissions.
class ReplacingFile final : public OutputFile {
 public:
  // Creates the temporary file. Throws FileError naming the destination, with the reason.
  explicit ReplacingFile(const std::string& destination);
  ~ReplacingFile() override;
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  void Write(std::string_view bytes) override;
  // Flushes, closes and renames over the destination. Throws FileError.
  void Commit() override;

  const std::string& TemporaryName() const { return temporary_; }

  class Impl;

 private:
  std::string destination_;
  std::string temporary_;
  std::unique_ptr<Impl> impl_;
  bool committed_ = false;
};

}  // namespace dux::platform
