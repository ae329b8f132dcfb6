#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "metadata/tiff/TTagEntry.h"

namespace dux {

// What the layout of a maker note is chosen by.
struct tNoteFacts {
  std::string_view make, model;  // the camera's Make and Model
  std::string_view exifVersion;  // the raw bytes of tag 0x9000, at most 6
  std::string_view note;         // the note's bytes
  std::int64_t notePos = 0;      // where the note starts in the EXIF bytes (1-based)
  bool exifBigEndian = false;
  bool tiffSource = false;     // the EXIF bytes are a TIFF file's
  std::int64_t headerPos = 9;  // where the TIFF header stands in the EXIF bytes: 9 in a JPEG's
                               // APP1, whose first byte is 8 before it
};

// Where a note's value offsets count from.
enum class NoteOrigin {
  kTiffHeader,      // the EXIF's TIFF header: the offsets the EXIF's own directories use
  kNote,            // the first byte of the note
  kNoteTiffHeader,  // a TIFF header inside the note, at tMakeRow::noteTiffHeader
  kSegmentStart,    // the first byte of the EXIF bytes
};

// The byte order of a note: the EXIF's; little-endian whatever the EXIF's; or found from the
// note's entry count, for makes whose notes some programs keep in the camera's order when they
// rewrite the EXIF in the other (a Canon note inside big-endian EXIF, a Minolta DiMAGE 5's
// big-endian note inside little-endian EXIF).
enum class NoteOrder { kAsExif, kLittleEndian, kBigEndian, kFromEntryCount };

// One value of a note that is a record of fixed fields rather than a directory (Kodak's): where it
// stands after the header, its size in bytes (a text of that many, or a number of 1, 2 or 4), its
// line's name and label, its codes, and what the number is divided by.
struct tRecordField {
  std::uint16_t offset = 0;
  std::uint8_t size = 1;
  bool text = false;
  std::string_view name{}, label{}, codes{};
  double divisor = 1;
};

// One make's note layout: how it is recognised, which table names its tags, where its directory
// stands and where its values' offsets count from.
struct tMakeRow {
  std::string_view make{};                       // how Make starts, in upper case
  std::string_view header{};                     // what the note starts with; empty: any note
  bool (*matches)(const tNoteFacts&) = nullptr;  // a further test of the facts; none: any
  const std::span<const tTagRow>* table = nullptr;
  std::int64_t directory = 0;  // where the directory starts in the note (0-based)
  NoteOrigin values =
      NoteOrigin::kTiffHeader;      // where the offsets of values in the note count from
  std::int64_t noteTiffHeader = 0;  // with NoteOrigin::kNoteTiffHeader: where it starts in the note
  NoteOrigin fallback =
      NoteOrigin::kSegmentStart;  // where a value that is not in the note is looked for
  NoteOrder order = NoteOrder::kAsExif;
  // The note ends with "II*\0" or "MM\0*" and the offset it stood at when the camera wrote it
  // (Canon's): a program that moved the note left its offsets counting from there.
  bool originalOffsetTrailer = false;
  // A note that is a record, its fields from `directory` on, instead of a directory.
  const std::span<const tRecordField>* record = nullptr;
};

// The maker-note layouts, one row per make and note form; the first row that matches a note is
// its layout.
std::span<const tMakeRow> MakerNoteRegistry();

// A note's directory as the walk takes it (TImageInfo::ParseMakerDirectory): the table, where the
// directory starts in the note (0-based), the bases its values are placed by, the byte order.
struct tNoteLayout {
  std::span<const tTagRow> table;
  std::span<const tRecordField> record;  // a record note's fields (then `table` is empty)
  std::int64_t dirOffset = 0;
  std::int64_t valueBase = 0;
  std::int64_t fallbackBase = 0;
  bool bigEndian = false;
};

// The maker-note decoder of one MakerNote tag: recognises the camera make and gives the layout
// of its note.
class TmsInfo {
 public:
  // The registry's first row that matches the note; null for a make without a table.
  static const tMakeRow* RowOf(const tNoteFacts& facts);
  // The layout of the note, by RowOf; nothing for a make without a table.
  static std::optional<tNoteLayout> LayoutOf(const tNoteFacts& facts);
};

}  // namespace dux
