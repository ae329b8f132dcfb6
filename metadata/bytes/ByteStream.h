#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Files.h"

namespace dux {

// A forward-only source of bytes read through a buffer, so that a scan that takes one byte at
// a time costs one system call per buffer. The opening fill takes 16 KB: that holds every
// segment in front of the image data in two thirds of the test corpus's JPEGs, so that one read
// serves the whole scan. Later fills start at 4 KB and double, up to 64 KB: a scan that needs a
// file's first segments copies little beyond them. A run of 4 KB or more that is appended comes
// in one read with a small fill after it, up to 60 KB; a longer one, or one read into the
// caller's memory, goes straight there. Runs passed over are not read where the source can move
// past them. After any of these, the fills start small again.
class ByteStream {
 public:
  virtual ~ByteStream() = default;

  // Reads up to `size` bytes; fewer only at the end of the data. Throws FormatError when the
  // underlying file reports an error.
  std::size_t Read(char* destination, std::size_t size);
  // Reads up to `size` bytes onto the end of `out`, as Read does, without filling it first.
  std::size_t Append(std::string& out, std::size_t size);
  // Reads one byte; false at the end of the data.
  bool ReadByte(std::uint8_t& value);
  // Reads and drops up to `size` bytes; returns how many there were (fewer only at the end).
  std::size_t Skip(std::size_t size);
  // Offset of the next byte to be read.
  std::int64_t Position() const { return position_; }
  // The `before` bytes just read and the `size` bytes after them, in one buffer that the stream
  // hands to `keep`, which keeps the view good; the stream moves past the `size` bytes and fills a
  // new buffer next. When the buffer holds them all, nothing is copied; else, with `readOn`, the
  // buffered part moves to a new buffer and the rest is read straight after it. An empty view (no
  // data) when they are not all there; the stream then stands where it stood.
  std::string_view Hold(std::size_t before, std::size_t size, bool readOn,
                        std::vector<std::unique_ptr<char[]>>& keep);
  // The bytes buffered ahead, read without a system call (none at all when the buffer is used up).
  std::string_view Buffered() const { return {data_ + next_, filled_ - next_}; }
  // The first bytes of the data, up to `size`, without moving past them: before the first read,
  // this makes the opening fill, which the reads after it then take their bytes from.
  std::string_view Peek(std::size_t size);
  // Sizes the opening fill, before the first read: for a source whose leading part is known to
  // be this long. Clamped to 4 to 64 KB.
  void SetOpeningFill(std::int64_t size);

 protected:
  // Reads up to `size` bytes from the source; 0 only at its end.
  virtual std::size_t Fill(char* destination, std::size_t size) = 0;
  // Moves the source past up to `size` bytes, from `from` where it stands; returns how many it
  // had. 0 when it cannot, and the bytes are read instead.
  virtual std::size_t Pass(std::int64_t from, std::size_t size) = 0;

 private:
  // Refills the empty buffer; false at the end of the data.
  bool Refill();

  static constexpr std::size_t kBufferSize = 1 << 16, kFirstFill = 1 << 12, kDirect = 1 << 12;
  static constexpr std::size_t kOpeningFill = 1 << 14;
  static constexpr std::size_t kFoldedRun = kBufferSize - kFirstFill;
  std::unique_ptr<char[]> buffer_;  // as large as the largest fill so far, never zero-filled;
                                    // none once handed on by Hold
  char* data_ = nullptr;            // the bytes filled: buffer_'s, or the buffer handed on
  std::size_t capacity_ = 0, next_ = 0, filled_ = 0, fillSize_ = kOpeningFill,
              openingFill_ = kOpeningFill;
  std::int64_t position_ = 0;
  std::int64_t filledAt_ = 0;  // the offset of data_[0]
  bool opened_ = false;
};

// Bytes held in memory (the caller keeps them alive).
class MemoryByteStream final : public ByteStream {
 public:
  explicit MemoryByteStream(std::string_view data) : data_(data) {}

 private:
  std::size_t Fill(char* destination, std::size_t size) override;
  std::size_t Pass(std::int64_t from, std::size_t size) override;
  std::string_view data_;
  std::size_t offset_ = 0;
};

// An open file, read from its start.
class FileByteStream final : public ByteStream {
 public:
  explicit FileByteStream(std::unique_ptr<platform::InputFile> file)
      : owned_(std::move(file)), file_(owned_.get()) {}
  // A file the caller keeps open; reads of it by others between this stream's do not move it.
  explicit FileByteStream(platform::InputFile& file) : file_(&file) {}
  // How far into the file the reads reached: the end of the furthest byte read.
  std::int64_t Reach() const { return reach_; }

 private:
  std::size_t Fill(char* destination, std::size_t size) override;
  std::size_t Pass(std::int64_t from, std::size_t size) override;
  std::unique_ptr<platform::InputFile> owned_;
  platform::InputFile* file_;
  std::int64_t at_ = 0, reach_ = 0;
};

// Bytes in memory as a file: what a rewrite reads when its source came from memory, and what it
// reads back from an output kept in memory.
class MemoryInputFile final : public platform::InputFile {
 public:
  explicit MemoryInputFile(std::string bytes) : bytes_(std::move(bytes)) {}
  std::size_t Read(char* buffer, std::size_t size) override;
  std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
  platform::tFileStamp Stamp() const override { return {Size()}; }
  void Seek(std::int64_t offset) override;
  std::string_view MapWhole() override { return bytes_; }

 private:
  std::string bytes_;
  std::size_t position_ = 0;
};

}  // namespace dux
