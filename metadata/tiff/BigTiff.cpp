#include "metadata/tiff/BigTiff.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "metadata/bytes/ByteReader.h"
#include "metadata/bytes/ByteWriter.h"
#include "metadata/tiff/ExifValues.h"

namespace dux {
namespace {

constexpr int kLong = 4, kLong8 = 16, kSlong8 = 17, kIfd8 = 18, kIfd = 13;

// Bytes of one value of each TIFF type; 0 for an unknown type.
std::uint64_t TypeSize(int type) {
  switch (type) {
    case 1:
    case 2:
    case 6:
    case 7:
    case kUtf8Type:
      return 1;
    case 3:
    case 8:
      return 2;
    case 4:
    case 9:
    case 11:
    case kIfd:
      return 4;
    case 5:
    case 10:
    case 12:
    case kLong8:
    case kSlong8:
    case kIfd8:
      return 8;
    default:
      return 0;
  }
}

bool IsDirectoryPointer(std::uint16_t tag) {
  return tag == 0x8769 || tag == 0x8825 || tag == 0xA005 || tag == 0x014A;
}

class Converter {
 public:
  Converter(std::string_view in, bool bigEndian, std::string header)
      : in_(in),
        bigEndian_(bigEndian),
        limit_(4 * in.size() + (1 << 16)),
        out_(std::move(header)) {}

  // Converts the directory at `offset` of the BigTIFF and those it points to; its offset in the
  // classic TIFF, or 0 where there is none to convert.
  std::uint32_t Directory(std::uint64_t offset, int depth) {
    if (depth > 8 || offset < 16 || offset > in_.size() || in_.size() - offset < 8 ||
        !visited_.insert(offset).second || out_.size() > limit_) {
      return 0;
    }
    const std::uint64_t available = (in_.size() - offset - 8) / 20;
    const std::uint64_t count = std::min({Number(offset, 8), available, std::uint64_t{4096}});
    std::vector<tEntry> entries;
    for (std::uint64_t i = 0; i < count; ++i) {
      if (auto entry = Entry(offset + 8 + 20 * i)) entries.push_back(*entry);
    }
    const std::uint64_t next = Number(offset + 8 + 20 * count, 8);
    // The directory, then its values, then the directories it points to.
    const auto at = static_cast<std::uint32_t>(out_.size());
    Put(entries.size(), 2);
    for (const tEntry& e : entries) {
      Put(e.tag, 2);
      Put(e.type, 2);
      Put(e.count, 4);
      Put(0, 4);  // the value, or its offset: below
    }
    Put(0, 4);  // the next directory
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const std::size_t field = at + 2 + 12 * i + 8;
      if (entries[i].value.size() <= 4) {
        out_.replace(field, entries[i].value.size(), entries[i].value);
      } else {
        PutAt(field, static_cast<std::uint32_t>(out_.size()));
        out_ += entries[i].value;
        if (out_.size() % 2 != 0) out_ += '\0';
      }
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
      for (std::size_t k = 0; k < entries[i].children.size(); ++k) {
        const std::uint32_t child = Directory(entries[i].children[k], depth + 1);
        const std::size_t field = at + 2 + 12 * i + 8;
        const std::size_t slot =
            entries[i].value.size() <= 4 ? field : static_cast<std::size_t>(Number32At(field));
        PutAt(slot + 4 * k, child);
      }
    }
    if (next != 0) PutAt(at + 2 + 12 * entries.size(), Directory(next, depth + 1));
    return at;
  }

  std::string Take() { return std::move(out_); }

 private:
  struct tEntry {
    std::uint16_t tag = 0, type = 0;
    std::uint32_t count = 0;
    std::string value;                    // in the classic type, in the file's byte order
    std::vector<std::uint64_t> children;  // the BigTIFF offsets of directories it points to
  };

  std::uint64_t Number(std::uint64_t at, int width) const {
    std::uint64_t value = 0;
    for (int i = 0; i < width; ++i) {
      const std::uint64_t pos = at + static_cast<std::uint64_t>(bigEndian_ ? i : width - 1 - i);
      value = value << 8 | (pos < in_.size() ? static_cast<std::uint8_t>(in_[pos]) : 0u);
    }
    return value;
  }

  std::optional<tEntry> Entry(std::uint64_t at) {
    tEntry e;
    e.tag = static_cast<std::uint16_t>(Number(at, 2));
    const auto type = static_cast<int>(Number(at + 2, 2));
    const std::uint64_t count = Number(at + 4, 8);
    const std::uint64_t size = TypeSize(type);
    if (size == 0 || count > 0xFFFFFFFFu / size) return std::nullopt;
    const std::uint64_t bytes = count * size;
    const std::uint64_t start = bytes <= 8 ? at + 12 : Number(at + 12, 8);
    if (start > in_.size() || bytes > in_.size() - start) return std::nullopt;
    const std::string_view raw = in_.substr(start, bytes);
    e.count = static_cast<std::uint32_t>(count);
    if (size == 8 && (type == kLong8 || type == kSlong8 || type == kIfd8)) {
      e.type = type == kSlong8 ? 9 : kLong;  // a pointer as the EXIF writes it: a LONG
      for (std::uint64_t k = 0; k < count; ++k) {
        const std::uint64_t value = Number(start + 8 * k, 8);
        if (value > 0xFFFFFFFFu && !IsDirectoryPointer(e.tag)) return std::nullopt;
        AppendValue(e.value, static_cast<std::uint32_t>(value));
        if (IsDirectoryPointer(e.tag)) e.children.push_back(value);
      }
    } else {
      e.type = static_cast<std::uint16_t>(type);
      e.value = raw;
      if (IsDirectoryPointer(e.tag) && size == 4) {
        for (std::uint64_t k = 0; k < count; ++k) e.children.push_back(Number(start + 4 * k, 4));
      }
    }
    if (out_.size() + e.value.size() > limit_) return std::nullopt;
    return e;
  }

  void AppendValue(std::string& to, std::uint32_t value) const {
    to.append(4, '\0');
    PutValue(to, to.size() - 4, 4, value, bigEndian_);
  }
  void Put(std::uint64_t value, int width) {
    out_.append(static_cast<std::size_t>(width), '\0');
    PutValue(out_, out_.size() - static_cast<std::size_t>(width), width,
             static_cast<std::uint32_t>(value), bigEndian_);
  }
  void PutAt(std::size_t at, std::uint32_t value) {
    if (at + 4 <= out_.size()) PutValue(out_, at, 4, value, bigEndian_);
  }
  std::uint32_t Number32At(std::size_t at) const {
    return Long(out_, static_cast<std::int64_t>(at) + 1, bigEndian_);
  }

  std::string_view in_;
  bool bigEndian_;
  std::size_t limit_;
  std::string out_;
  std::set<std::uint64_t> visited_;
};

}  // namespace

std::string ClassicTiffOf(std::string_view bigTiff) {
  const std::string_view order = bigTiff.substr(0, 2);
  if (bigTiff.size() < 16 || (order != "II" && order != "MM")) return {};
  const bool bigEndian = order == "MM";
  // The header: the classic magic number, and IFD0 right after it.
  std::string header(order);
  header += bigEndian ? std::string("\0*", 2) : std::string("*\0", 2);
  header.append(4, '\0');
  PutValue(header, 4, 4, 8, bigEndian);
  Converter converter(bigTiff, bigEndian, std::move(header));
  std::uint64_t ifd0 = 0;
  for (int i = 0; i < 8; ++i) {
    const auto byte =
        static_cast<std::uint8_t>(bigTiff[static_cast<std::size_t>(bigEndian ? 8 + i : 15 - i)]);
    ifd0 = ifd0 << 8 | byte;
  }
  if (converter.Directory(ifd0, 0) != 8) return {};
  return converter.Take();
}

}  // namespace dux
