#include "metadata/bytes/ByteStream.h"

#include <algorithm>
#include <cstring>

#include "platform/FormatError.h"

namespace dux {

std::size_t ByteStream::Read(char* destination, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    if (next_ == filled_) {
      // Large reads bypass the buffer.
      if (size - done >= kDirect) {
        const std::size_t got = Fill(destination + done, size - done);
        if (got == 0) break;
        done += got;
        position_ += static_cast<std::int64_t>(got);
        fillSize_ = kFirstFill;  // what follows a long value is most often short
        continue;
      }
      if (!Refill()) break;
    }
    const std::size_t take = std::min(size - done, filled_ - next_);
    std::memcpy(destination + done, data_ + next_, take);
    next_ += take;
    done += take;
    position_ += static_cast<std::int64_t>(take);
  }
  return done;
}

bool ByteStream::Refill() {
  // The opening fill is sized for the leading segments; what a scan reads after it is most
  // often a few headers, so the fills start over at 4 KB.
  const bool opening = !opened_ && fillSize_ == openingFill_;
  opened_ = true;
  if (!buffer_ || capacity_ < fillSize_) {  // the buffer is empty here: nothing to keep
    buffer_ = std::make_unique_for_overwrite<char[]>(fillSize_);
    capacity_ = fillSize_;
  }
  data_ = buffer_.get();
  filledAt_ = position_;
  filled_ = Fill(data_, fillSize_);
  fillSize_ = opening ? kFirstFill : std::min(2 * fillSize_, kBufferSize);
  next_ = 0;
  return filled_ != 0;
}

std::string_view ByteStream::Peek(std::size_t size) {
  if (!opened_ && next_ == filled_) Refill();
  return Buffered().substr(0, size);
}

void ByteStream::SetOpeningFill(std::int64_t size) {
  if (opened_) return;
  openingFill_ = fillSize_ = static_cast<std::size_t>(std::clamp<std::int64_t>(
      size, static_cast<std::int64_t>(kFirstFill), static_cast<std::int64_t>(kBufferSize)));
}

std::string_view ByteStream::Hold(std::size_t before, std::size_t size, bool readOn,
                                  std::vector<std::unique_ptr<char[]>>& keep) {
  // The bytes before must be the last ones read, from this buffer: not when a read or a skip
  // went around it since it was filled.
  const bool last = filledAt_ + static_cast<std::int64_t>(next_) == position_;
  if (data_ == nullptr || !last || next_ < before) return {};
  if (filled_ - next_ < size) {
    if (!readOn) return {};
    // A new buffer with room for a first fill's worth after the run, which most often holds the
    // next segment's header, as Append reads a long run.
    const std::size_t have = before + (filled_ - next_);
    const std::size_t room = before + size + kFirstFill;
    auto grown = std::make_unique_for_overwrite<char[]>(room);
    std::memcpy(grown.get(), data_ + next_ - before, have);
    std::size_t filled = have;
    while (filled < before + size) {
      const std::size_t got = Fill(grown.get() + filled, room - filled);
      if (got == 0) break;
      filled += got;
    }
    buffer_ = std::move(grown);
    capacity_ = room;
    data_ = buffer_.get();
    filledAt_ = position_ - static_cast<std::int64_t>(before);
    next_ = before;
    filled_ = filled;
    fillSize_ = kFirstFill;
    if (filled_ - next_ < size) return {};  // the file ends first
  }
  if (buffer_) keep.push_back(std::move(buffer_));
  const std::string_view held(data_ + next_ - before, before + size);
  next_ += size;
  position_ += static_cast<std::int64_t>(size);
  return held;
}

std::size_t ByteStream::Append(std::string& out, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    if (next_ == filled_) {
      const std::size_t run = size - done;
      if (run > kFoldedRun) {  // large: straight into the string
        const std::size_t at = out.size();
        out.resize(at + run);
        const std::size_t got = Read(out.data() + at, run);
        out.resize(at + got);
        return done + got;
      }
      // A long run is read with a first fill's worth after it, which most often holds the next
      // segment's header: one system call costs more than copying the run once more.
      const bool folds = run >= kDirect;
      if (folds) fillSize_ = run + kFirstFill;
      const bool filled = Refill();
      if (folds) fillSize_ = kFirstFill;
      if (!filled) break;
    }
    const std::size_t take = std::min(size - done, filled_ - next_);
    out.append(data_ + next_, take);
    next_ += take;
    done += take;
    position_ += static_cast<std::int64_t>(take);
  }
  return done;
}

bool ByteStream::ReadByte(std::uint8_t& value) {
  char c = 0;
  if (next_ < filled_) {
    c = data_[next_++];
    ++position_;
  } else if (Read(&c, 1) != 1) {
    return false;
  }
  value = static_cast<std::uint8_t>(c);
  return true;
}

std::size_t ByteStream::Skip(std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    if (next_ == filled_ && size - done >= kDirect) {
      const std::size_t passed = Pass(position_, size - done);
      done += passed;
      position_ += static_cast<std::int64_t>(passed);
      fillSize_ = kFirstFill;
      if (passed > 0) continue;
    }
    if (next_ == filled_ && !Refill()) break;
    const std::size_t take = std::min(size - done, filled_ - next_);
    next_ += take;
    done += take;
    position_ += static_cast<std::int64_t>(take);
  }
  return done;
}

std::size_t MemoryByteStream::Fill(char* destination, std::size_t size) {
  const std::size_t take = std::min(size, data_.size() - offset_);
  if (take > 0) std::memcpy(destination, data_.data() + offset_, take);
  offset_ += take;
  return take;
}

std::size_t MemoryByteStream::Pass(std::int64_t, std::size_t size) {
  const std::size_t take = std::min(size, data_.size() - offset_);
  offset_ += take;
  return take;
}

std::size_t FileByteStream::Pass(std::int64_t from, std::size_t size) {
  // As far as the file reached when it was opened; a read finds out what is there now.
  const std::int64_t left = file_->Size() - from;
  if (left <= 0) return 0;
  const auto take =
      static_cast<std::size_t>(std::min<std::uint64_t>(size, static_cast<std::uint64_t>(left)));
  at_ = from + static_cast<std::int64_t>(take);
  file_->Seek(at_);
  return take;
}

std::size_t FileByteStream::Fill(char* destination, std::size_t size) {
  // One read: a short one is no end, and the next Fill asks again. The position is set each time
  // (no system call): others may have read the file since.
  file_->Seek(at_);
  const std::size_t got = file_->Read(destination, size);
  at_ += static_cast<std::int64_t>(got);
  reach_ = std::max(reach_, at_);
  return got;
}

std::size_t MemoryInputFile::Read(char* buffer, std::size_t size) {
  const std::size_t take =
      position_ < bytes_.size() ? std::min(size, bytes_.size() - position_) : 0;
  if (take > 0) std::memcpy(buffer, bytes_.data() + position_, take);
  position_ += take;
  return take;
}

void MemoryInputFile::Seek(std::int64_t offset) {
  if (offset < 0) throw FormatError("Cannot seek to a negative offset");
  position_ = offset > Size() ? bytes_.size() : static_cast<std::size_t>(offset);
}

}  // namespace dux
