#include "metadata/makernotes/TmsInfo.h"

#include <optional>
#include <span>
#include <string>

#include "text/AsciiText.h"
#include "metadata/tiff/IfdEntry.h"
#include "metadata/exif/TImageInfo.h"
#include "metadata/makernotes/MakerNoteTables.h"

namespace dux {
namespace {

// The byte order of a make's note: the EXIF's; fixed; or found from the note's entry count, for
// makes whose notes some programs keep in the camera's order when they rewrite the EXIF in the
// other (a Canon note inside big-endian EXIF, a Minolta DiMAGE 5's big-endian note inside
// little-endian EXIF).
enum class tNoteOrder { kAsExif, kLittleEndian, kFromEntryCount };

// Where a make's note keeps its directory and how its value offsets count: dirOffset is the
// directory's offset in the note, valueBase and fallbackBase place the values (see
// TImageInfo::ParseMakerDirectory). P stands for the note's position in the EXIF bytes.
struct tLayout {
  std::span<const tTagRow> table;
  std::int64_t dirOffset = 0;
  std::int64_t valueBase = 0;
  std::int64_t fallbackBase = 0;
  tNoteOrder order = tNoteOrder::kAsExif;
};

// The character after the model's first blank (its first character when it has none).
char ModelLetter(const std::string& model) {
  const auto blank = model.find(' ');
  const std::size_t at = blank == std::string::npos ? 0 : blank + 1;
  return at < model.size() ? model[at] : '\0';
}

bool NikonWithTiffHeader(const TImageInfo& info, bool tiffSource) {
  return info.exifVersion > "0210" ||
         (info.exifVersion.empty() && ModelLetter(info.cameraModel) == 'D' && tiffSource);
}

// The layout for a make, or none for a make without a table.
std::optional<tLayout> LayoutFor(const std::string& make, const TImageInfo& info, bool tiffSource) {
  const std::int64_t p = info.makerNotePos;
  const std::string_view note = info.makerNoteData;
  if (make == "NIKON") {
    if (NikonWithTiffHeader(info, tiffSource)) return tLayout{kNikonTable2, 18, 9, 0};
    if (note.starts_with("Nikon")) return tLayout{kNikonTable1, 8, p, 0};
    return tLayout{kNikonTable2, 0, p - 8, 0};
  }
  if (make == "OLYMP") return tLayout{kOlympusTable, 8, p, 9};
  if (make == "CASIO") {
    if (note.starts_with("QVC")) return tLayout{kCasioTable2, 6, p - 2, 0};
    return tLayout{kCasioTable1, 0, p - 8, 0};
  }
  // Fujifilm notes are little-endian whatever the EXIF byte order.
  if (make == "FUJIF") return tLayout{kFujifilmTable, 12, 13, 0, tNoteOrder::kLittleEndian};
  if (make == "CANON") return tLayout{kCanonTable, 0, p - 8, 0, tNoteOrder::kFromEntryCount};
  if (make == "SEIKO") return tLayout{kSeikoTable, 8, p, 0};
  if (make == "SANYO") return tLayout{kSanyoTable, 8, p, 0};
  if (make == "MINOL") return tLayout{kMinoltaTable, 0, p - 8, 0, tNoteOrder::kFromEntryCount};
  return std::nullopt;
}

// The note's byte order: the EXIF's, unless the layout fixes it, or the entry count read that way
// cannot be a directory in the note while read the other way it can.
bool NoteBigEndian(const tLayout& layout, std::string_view note, bool exifBigEndian) {
  if (layout.order == tNoteOrder::kLittleEndian) return false;
  if (layout.order == tNoteOrder::kAsExif) return exifBigEndian;
  const std::int64_t dirPos = layout.dirOffset + 1;
  const auto plausible = [&](bool bigEndian) {
    const tIfdReader reader{note, bigEndian};
    const std::int64_t count = reader.ReadWord(dirPos);
    return count > 0 && count <= EntriesPresent(reader, dirPos);
  };
  return plausible(exifBigEndian) || !plausible(!exifBigEndian) ? exifBigEndian : !exifBigEndian;
}

}  // namespace

bool TmsInfo::DecodeMakerNote(TImageInfo& info) const {
  const std::string make = AsciiUpperCase(info.cameraMake.substr(0, 5));
  const auto layout = LayoutFor(make, info, tiffSource_);
  if (!layout) return false;
  info.ParseMakerDirectory(info.makerNoteData, layout->table, layout->dirOffset, layout->valueBase,
                           layout->fallbackBase, NoteBigEndian(*layout, info.makerNoteData, info.bigEndian));
  return true;
}

}  // namespace dux
