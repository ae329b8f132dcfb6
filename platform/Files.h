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
  // Size of the file when it was looked up (see LookUp). Throws FileError when the system
  // cannot tell it.
  virtual std::int64_t Size() const = 0;
  // The file's size and last-write time when it was looked up, as LookUpFile tells them.
  virtual tFileStamp Stamp() const = 0;
  // Moves the read position to `offset` from the start, without a system call: the next Read
  // reads there. Throws FormatError for a negative offset.
  virtual void Seek(std::int64_t offset) = 0;
  // The whole file as it was opened, mapped into memory for a reader that jumps about in it
  // (a TIFF's directories stand anywhere): the system reads a page when it is first touched, so
  // only what the reader looks at is read. Good while this object lives. Empty where the file
  // cannot be mapped: an empty file, one larger than the address space has room for, a file
  // system that cannot map. Others may not write the file while it is open (on Windows the
  // sharing forbids it; where it does not, a file cut short under the reader is its owner's
  // doing).
  virtual std::string_view MapWhole() { return {}; }
};

// When an opened file is looked up: as it opens, so that Size and Stamp tell the file as it was
// opened and a folder does not open; or at the first Size or Stamp, for a reader that may need
// neither and saves the system call (a folder that opens then fails at its first read).
enum class LookUp { kAtOpen, kWhenAsked };

// How a reader goes through a file: from the start to the end, so that the system reads ahead
// of it; or in parts, jumping over what it does not need, so that the disk is asked for the
// parts it reads and not for what lies after them.
enum class Access { kThrough, kInParts };

// Opens `path` for shared reading. Throws FileError naming the file, with the system's reason.
// With LookUp::kAtOpen, anything but a regular file (a folder, a pipe, a device) is refused
// before a byte is read; opening never waits for a pipe's writer.
std::unique_ptr<InputFile> OpenInputFile(const std::string& path, LookUp lookUp = LookUp::kAtOpen,
                                         Access access = Access::kThrough);

// Reads the whole file. Throws FileError naming the file, with the system's reason.
std::string ReadWholeFile(const std::string& path);

// Where a writer's bytes go: nothing counts as written before a successful Commit.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Appends bytes. Throws FormatError (for example when the disk is full).
  virtual void Write(std::string_view bytes) = 0;
  // The bytes written so far, read back from where they went, for a check before Commit; null
  // for an output that cannot read them back. Throws FileError.
  virtual std::unique_ptr<InputFile> ReadBack() { return nullptr; }
  // Makes the bytes the destination's. Throws FormatError.
  virtual void Commit() = 0;
};

// How long a temporary file of an earlier write may stand before a write into its folder takes
// it for one left by a write that was killed part of the way, and removes it.
inline constexpr int kStaleTemporaryMinutes = 15;

// Replaces a file's contents safely: the bytes go to a temporary file in the destination's own
// folder (".NAME.dux-XXXXXX"), which Commit flushes to disk and puts in the destination's place.
// Until Commit succeeds the destination keeps its old bytes; a writer destroyed without a
// successful Commit removes its temporary file, and temporary files of earlier writes that stand
// in the folder longer than kStaleTemporaryMinutes are removed when a writer starts there.
// An existing destination keeps what makes it that file: its permissions, its owner and group
// where the system lets the writer set them, and on Windows its attributes, access control and
// creation time. A symbolic link is written through to the file it names. A destination with
// more than one hard link is refused: putting a new file in its place would part it from its
// other names. A file too large for the writer's limits fails the write; it does not end the
// process.
class ReplacingFile final : public OutputFile {
 public:
  // Creates the temporary file. Throws FileError naming the destination, with the reason: also
  // for a destination that is not a regular file, or has other hard links.
  explicit ReplacingFile(const std::string& destination);
  ~ReplacingFile() override;
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  void Write(std::string_view bytes) override;
  std::unique_ptr<InputFile> ReadBack() override;
  // Flushes, closes and puts the file in the destination's place. Throws FileError.
  void Commit() override;

  class Impl;

 private:
  std::string destination_;
  std::string target_;  // the file that is replaced: the destination, or what its link names
  std::string temporary_;
  std::unique_ptr<Impl> impl_;
  bool committed_ = false;
};

}  // namespace dux::platform
