#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "metadata/bytes/ByteReader.h"
#include "metadata/tiff/ExifValues.h"

// The one decoder of TIFF directory entries, shared by the EXIF walk and the maker-note walk.
namespace dux {

// TIFF-structured bytes in one byte order: what a directory walk reads. Positions are 1-based.
struct tIfdReader {
  std::string_view bytes;
  bool bigEndian = false;

  constexpr std::uint16_t ReadWord(std::int64_t pos) const noexcept {
    return Word(bytes, pos, bigEndian);
  }
  constexpr std::uint32_t ReadLong(std::int64_t pos) const noexcept {
    return Long(bytes, pos, bigEndian);
  }
};

// One 12-byte directory entry as stored.
struct tIfdEntry {
  std::uint16_t tag = 0;
  int type = 0;
  std::int64_t size = 0;      // count x bytes per component, as the entry claims (below 2^36)
  std::int64_t fieldPos = 0;  // the entry's 4-byte value field
  std::int64_t offset = 0;    // the stored offset of a value of more than 4 bytes, else 0
  std::int64_t valuePos = 0;  // the value: in the field when it takes 4 bytes or fewer, else
                              // at valueBase + offset
};

// Decodes the entry at position e. Offsets are unsigned 32-bit numbers; in 64 bits nothing wraps.
constexpr tIfdEntry DecodeIfdEntry(const tIfdReader& reader, std::int64_t e,
                                   std::int64_t valueBase) noexcept {
  tIfdEntry entry;
  entry.tag = reader.ReadWord(e);
  entry.type = reader.ReadWord(e + 2);
  entry.size = static_cast<std::int64_t>(reader.ReadLong(e + 4)) * TypeSize(entry.type);
  entry.fieldPos = e + 8;
  if (entry.size <= 4) {
    entry.valuePos = entry.fieldPos;
  } else {
    entry.offset = reader.ReadLong(e + 8);
    entry.valuePos = valueBase + entry.offset;
  }
  return entry;
}

// The bytes of an entry's value: in the reader's bytes where it lies wholly inside them, else (a
// maker note whose values stand outside it) in `elsewhere` at `elsewhereBase` + its offset.
constexpr std::string_view ValueBytes(const tIfdReader& reader, const tIfdEntry& entry,
                                      std::string_view elsewhere,
                                      std::int64_t elsewhereBase) noexcept {
  return HasBytes(reader.bytes, entry.valuePos, entry.size)
             ? Bytes(reader.bytes, entry.valuePos, entry.size)
             : Bytes(elsewhere, elsewhereBase + entry.offset, entry.size);
}

// How many whole 12-byte entries follow the entry count at dirPos (0 when the count itself is
// not there). A walk reads no more than these, whatever the count claims.
constexpr std::int64_t EntriesPresent(const tIfdReader& reader, std::int64_t dirPos) noexcept {
  if (!HasBytes(reader.bytes, dirPos, 2)) return 0;
  return std::max<std::int64_t>((std::ssize(reader.bytes) - dirPos - 1) / 12, 0);
}

// How a walk takes a directory whose count claims more entries than there are bytes for: an EXIF
// directory is refused whole (the scan reports it), a maker note or a lookup reads the entries
// that are there.
enum class CountRule { kRefuseDirectory, kReadThoseThere };

// The entries a walk reads of the directory at dirPos, by `rule`: the count where its entries are
// all there (and for kRefuseDirectory, take no more than `room` bytes with the count); else none
// for kRefuseDirectory (the directory is refused), or the entries present.
constexpr std::optional<std::int64_t> EntriesToRead(const tIfdReader& reader, std::int64_t dirPos,
                                                    CountRule rule,
                                                    std::int64_t room = INT64_MAX) noexcept {
  const std::int64_t claimed = reader.ReadWord(dirPos), present = EntriesPresent(reader, dirPos);
  if (rule == CountRule::kReadThoseThere) return std::min(claimed, present);
  if (2 + 12 * claimed > room || claimed > present) return std::nullopt;
  return claimed;
}

}  // namespace dux
