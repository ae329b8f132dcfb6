#include "metadata/makernotes/TmsInfo.h"

#include <optional>
#include <span>
#include <string>

#include "metadata/makernotes/MakerNoteTables.h"
#include "metadata/tiff/IfdEntry.h"
#include "text/AsciiText.h"

namespace dux {
namespace {

// A Pentax note of the "AOC" kind names its byte order after the header ("MM" or "II"); the
// oldest Optios' notes, in Casio's tags, have two zero bytes there instead.
bool PentaxByteOrderFollows(const tNoteFacts& facts) {
  return facts.note.size() >= 6 &&
         (facts.note.substr(4, 2) == "MM" || facts.note.substr(4, 2) == "II");
}

// The note forms a make shares with others, under the make each is written under.
constexpr tMakeRow PentaxAocNote(std::string_view make) {
  return {.make = make,
          .header = std::string_view("AOC\0", 4),
          .matches = PentaxByteOrderFollows,
          .table = &kPentaxTable,
          .directory = 6,
          .order = NoteOrder::kFromEntryCount};
}
constexpr tMakeRow PentaxNote(std::string_view make) {
  return {.make = make,
          .header = std::string_view("PENTAX \0", 8),
          .table = &kPentaxTable,
          .directory = 10,
          .values = NoteOrigin::kNote,
          .order = NoteOrder::kFromEntryCount};
}
constexpr tMakeRow RicohNote(std::string_view make, std::string_view header,
                             const std::span<const tTagRow>* table) {
  return {.make = make,
          .header = header,
          .table = table,
          .directory = 8,
          .order = NoteOrder::kFromEntryCount};
}

constexpr tMakeRow kMakers[] = {
    // Nikon's third kind says so in its header ("Nikon\0" and version 2), whatever the EXIF
    // version; older notes without the header are known by the EXIF version or the model.
    {.make = "NIKON",
     .header = std::string_view("Nikon\0\x02", 7),
     .table = &kNikonTable2,
     .directory = 18,
     .values = NoteOrigin::kNoteTiffHeader,
     .noteTiffHeader = 10},
    {.make = "NIKON", .header = "Nikon", .table = &kNikonTable1, .directory = 8},
    {.make = "NIKON", .table = &kNikonTable2},
    // The newer Olympus and OM System notes: a header with the byte order, offsets from the note.
    {.make = "OLYMP",
     .header = std::string_view("OLYMPUS\0II", 10),
     .table = &kOlympusTable,
     .directory = 12,
     .values = NoteOrigin::kNote,
     .order = NoteOrder::kLittleEndian},
    {.make = "OLYMP",
     .header = std::string_view("OLYMPUS\0MM", 10),
     .table = &kOlympusTable,
     .directory = 12,
     .values = NoteOrigin::kNote,
     .order = NoteOrder::kBigEndian},
    {.make = "OM DI",
     .header = std::string_view("OM SYSTEM\0\0\0II", 14),
     .table = &kOlympusTable,
     .directory = 16,
     .values = NoteOrigin::kNote,
     .order = NoteOrder::kLittleEndian},
    {.make = "OLYMP", .table = &kOlympusTable, .directory = 8, .fallback = NoteOrigin::kTiffHeader},
    // A QVC note is big-endian whatever the EXIF's order: its entry count tells.
    {.make = "CASIO",
     .header = "QVC",
     .table = &kCasioTable2,
     .directory = 6,
     .order = NoteOrder::kFromEntryCount},
    {.make = "CASIO", .table = &kCasioTable1},
    {.make = "FUJI",  // FUJIFILM, and FUJI PHOTO FILM CO., LTD. of the older cameras
     .table = &kFujifilmTable,
     .directory = 12,
     .values = NoteOrigin::kNote,
     .order = NoteOrder::kLittleEndian},
    {.make = "CANON",
     .table = &kCanonTable,
     .order = NoteOrder::kFromEntryCount,
     .originalOffsetTrailer = true},
    {.make = "SEIKO", .table = &kSeikoTable, .directory = 8},
    // Sony: "SONY DSC" and "SONY CAM" notes have a 12-byte header; the newer bodies' none.
    {.make = "SONY",
     .header = std::string_view("SONY DSC \0\0\0", 12),
     .table = &kSonyTable,
     .directory = 12},
    {.make = "SONY",
     .header = std::string_view("SONY CAM \0\0\0", 12),
     .table = &kSonyTable,
     .directory = 12},
    {.make = "SONY", .table = &kSonyTable},
    {.make = "PANASONIC",
     .header = std::string_view("Panasonic\0\0\0", 12),
     .table = &kPanasonicTable,
     .directory = 12},
    // Pentax: "AOC" and the note's byte order; the newer "PENTAX " notes count their offsets
    // from the note. Ricoh Imaging's Pentax bodies write them under Ricoh's name.
    PentaxAocNote("PENTAX"),
    PentaxAocNote("ASAHI"),
    PentaxNote("PENTAX"),
    PentaxNote("RICOH"),
    PentaxAocNote("RICOH"),
    RicohNote("PENTAX RICOH", "Ricoh", &kRicohGrTable),  // the GR of the years between
    RicohNote("RICOH", "Ricoh", &kRicohTable),
    RicohNote("RICOH", "RICOH", &kRicohTable),
    {.make = "APPLE",
     .header = std::string_view("Apple iOS\0", 10),
     .table = &kAppleTable,
     .directory = 14,
     .values = NoteOrigin::kNote,
     .order = NoteOrder::kBigEndian},
    // Kodak's "KDK" notes are a record: big-endian after "KDK INFO", else little-endian.
    {.make = "EASTMAN KODAK",
     .header = "KDK INFO",
     .directory = 8,
     .order = NoteOrder::kBigEndian,
     .record = &kKodakRecord},
    {.make = "EASTMAN KODAK",
     .header = "KDK",
     .directory = 8,
     .order = NoteOrder::kLittleEndian,
     .record = &kKodakRecord},
    {.make = "SIGMA",
     .header = std::string_view("SIGMA\0\0\0", 8),
     .table = &kSigmaTable,
     .directory = 10},
    {.make = "SIGMA",
     .header = std::string_view("FOVEON\0\0", 8),
     .table = &kSigmaTable,
     .directory = 10},
    {.make = "SANYO", .table = &kSanyoTable, .directory = 8},
    {.make = "MINOL", .table = &kMinoltaTable, .order = NoteOrder::kFromEntryCount},
};

// The walk places a value at offset o of a note's directory at o + dirOffset + 2 - valueBase in
// the note (1-based), and one outside the note at o + fallbackBase in the EXIF bytes (1-based):
// the bases for where a row's offsets count from. The EXIF bytes are laid out as a JPEG's APP1,
// whose first byte (the "segment start") stands 8 before the TIFF header; in a TIFF file, which
// has no segment, that place lies before the file's first byte.
std::int64_t ValueBase(const tMakeRow& row, std::int64_t notePos, std::int64_t headerPos) {
  switch (row.values) {
    case NoteOrigin::kTiffHeader:
      return row.directory + notePos + 1 - headerPos;
    case NoteOrigin::kNote:
      return row.directory + 1;
    case NoteOrigin::kNoteTiffHeader:
      return row.directory - row.noteTiffHeader + 1;
    case NoteOrigin::kSegmentStart:
      break;
  }
  return row.directory + notePos + 9 - headerPos;
}
std::int64_t FallbackBase(NoteOrigin origin, std::int64_t headerPos) {
  return origin == NoteOrigin::kTiffHeader ? headerPos : headerPos - 9;
}

// The note's byte order: the EXIF's, unless the row fixes it, or the entry count read that way
// cannot be a directory in the note while read the other way it can.
bool NoteBigEndian(const tMakeRow& row, std::string_view note, bool exifBigEndian) {
  if (row.order == NoteOrder::kLittleEndian) return false;
  if (row.order == NoteOrder::kBigEndian) return true;
  if (row.order == NoteOrder::kAsExif) return exifBigEndian;
  const std::int64_t dirPos = row.directory + 1;
  const auto plausible = [&](bool bigEndian) {
    const tIfdReader reader{note, bigEndian};
    const std::int64_t count = reader.ReadWord(dirPos);
    return count > 0 && count <= EntriesPresent(reader, dirPos);
  };
  return plausible(exifBigEndian) || !plausible(!exifBigEndian) ? exifBigEndian : !exifBigEndian;
}

}  // namespace

std::span<const tMakeRow> MakerNoteRegistry() { return kMakers; }

const tMakeRow* TmsInfo::RowOf(const tNoteFacts& facts) {
  const std::string make = AsciiUpperCase(facts.make);
  for (const tMakeRow& row : kMakers) {
    if (make.starts_with(row.make) && facts.note.starts_with(row.header) &&
        (row.matches == nullptr || row.matches(facts)))
      return &row;
  }
  return nullptr;
}

namespace {

// How far the note stands from where its offsets say it stood: the offset its trailer keeps
// (from the TIFF header) less the offset it has now; 0 without a trailer.
std::int64_t TrailerShift(const tMakeRow& row, const tNoteFacts& facts) {
  if (!row.originalOffsetTrailer || facts.note.size() < 8) return 0;
  const std::string_view trailer = facts.note.substr(facts.note.size() - 8);
  const bool little = trailer.starts_with(std::string_view("II*\0", 4));
  if (!little && !trailer.starts_with(std::string_view("MM\0*", 4))) return 0;
  const std::int64_t original = tIfdReader{trailer, !little}.ReadLong(5);
  return original - (facts.notePos - facts.headerPos);
}

}  // namespace

std::optional<tNoteLayout> TmsInfo::LayoutOf(const tNoteFacts& facts) {
  const tMakeRow* row = RowOf(facts);
  if (row == nullptr) return std::nullopt;
  const std::int64_t shift = row->values == NoteOrigin::kTiffHeader ? TrailerShift(*row, facts) : 0;
  return tNoteLayout{row->table != nullptr ? *row->table : std::span<const tTagRow>(),
                     row->record != nullptr ? *row->record : std::span<const tRecordField>(),
                     row->directory,
                     ValueBase(*row, facts.notePos, facts.headerPos) + shift,
                     FallbackBase(row->fallback, facts.headerPos) - shift,
                     NoteBigEndian(*row, facts.note, facts.exifBigEndian)};
}

}  // namespace dux
