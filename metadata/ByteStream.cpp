#include "metadata/ByteStream.h"

#include <algorithm>
#include <cstring>

namespace dux {

std::size_t ByteStream::Read(char* destination, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    if (next_ == filled_) {
      // Large reads bypass the buffer.
      if (size - done >= kBufferSize) {
        const std::size_t got = Fill(destination + done, size - done);
        if (got == 0) break;
        done += got;
        position_ += static_cast<std::int64_t>(got);
        continue;
      }
      if (!Refill()) break;
    }
    const std::size_t take = std::min(size - done, filled_ - next_);
    std::memcpy(destination + done, buffer_.get() + next_, take);
    next_ += take;
    done += take;
    position_ += static_cast<std::int64_t>(take);
  }
  return done;
}

bool ByteStream::Refill() {
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
  filled_ = Fill(buffer_.get(), kBufferSize);
  next_ = 0;
  return filled_ != 0;
}

std::size_t ByteStream::Append(std::string& out, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    if (next_ == filled_) {
      if (size - done >= kBufferSize) {  // large: straight into the string
        const std::size_t at = out.size();
        out.resize(at + (size - done));
        const std::size_t got = Read(out.data() + at, size - done);
        out.resize(at + got);
        return done + got;
      }
      if (!Refill()) break;
    }
    const std::size_t take = std::min(size - done, filled_ - next_);
    out.append(buffer_.get() + next_, take);
    next_ += take;
    done += take;
    position_ += static_cast<std::int64_t>(take);
  }
  return done;
}

bool ByteStream::ReadByte(std::uint8_t& value) {
  char c = 0;
  if (next_ < filled_) {
    c = buffer_[next_++];
    ++position_;
  } else if (Read(&c, 1) != 1) {
    return false;
  }
  value = static_cast<std::uint8_t>(c);
  return true;
}

std::size_t ByteStream::Skip(std::size_t size) {
  char scratch[4096];
  std::size_t done = 0;
  while (done < size) {
    const std::size_t got = Read(scratch, std::min(sizeof scratch, size - done));
    if (got == 0) break;
    done += got;
  }
  return done;
}

std::size_t MemoryByteStream::Fill(char* destination, std::size_t size) {
  const std::size_t take = std::min(size, data_.size() - offset_);
  if (take > 0) std::memcpy(destination, data_.data() + offset_, take);
  offset_ += take;
  return take;
}

std::size_t FileByteStream::Fill(char* destination, std::size_t size) {
  // One read: a short one is no end, and the next Fill asks again.
  return file_->Read(destination, size);
}

}  // namespace dux
