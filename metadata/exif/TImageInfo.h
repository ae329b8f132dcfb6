#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "metadata/makernotes/TmsInfo.h"
#include "metadata/tiff/IfdEntry.h"
#include "metadata/tiff/ScanMessages.h"
#include "metadata/tiff/TTagEntry.h"
#include "metadata/tiff/tEndInd.h"
#include "platform/Locale.h"

namespace dux {

// What the summaries tell of the file itself.
struct tFileFacts {
  std::string fileName;
  double fileDateTime = 0;  // last write, local time, days since 1899-12-30
  std::int64_t fileSize = 0;
};

// The decoded TIFF/EXIF directories of one image. Whoever holds the EXIF bytes hands it a view
// of them (ViewSegmentData, bigEndian) and has it walk IFD0; the walk follows the Exif, GPS,
// interoperability and SubIFD pointers, names every value through the tag tables, keeps one
// entry per known tag and captures a few values into fields. Positions are 1-based into
// segmentData (for a JPEG the APP1 section with its length bytes, so a TIFF offset o lies at
// o + 9). No read goes past the end of the bytes. The bytes must outlive the walks.
class TImageInfo : public tEndInd {
 public:
  // How deep the walk follows pointers to directories inside directories.
  static constexpr int kMaxDirectoryDepth = 32;

  // Create: an empty entry list and visited list; values are formatted in `locale`.
  explicit TImageInfo(BuildMode buildMode, platform::tLocale locale = {});

  // Walks the directory at dirStart (1-based); offsets inside it are relative to offsetBase.
  // directoryKind: 1 main, 2 GPS, 4 thumbnail. A table that cannot fit sets walkMessage to
  // "Illegally sized directory" and is skipped.
  void ParseDirectory(std::int64_t dirStart, std::int64_t offsetBase, std::int64_t exifLength,
                      int directoryKind);
  // Walks IFD1 into the thumbnail entries.
  void ParseThumbnailDirectory();
  // Walks a maker-note directory with a vendor table: the directory at dirOffset (0-based) of
  // makerBytes in the note's own byte order, values at valueBase-relative offsets inside the
  // note, or else at fallbackBase in the EXIF bytes. Entries join `entries` in the maker-note
  // table; a "Skip" row hides its tag.
  void ParseMakerDirectory(std::string_view makerBytes, std::span<const tTagRow> table,
                           std::int64_t dirOffset, std::int64_t valueBase,
                           std::int64_t fallbackBase, bool noteBigEndian);
  // Adds a named maker value (in the maker-note table), kept although it has no tag number. The
  // name is a constant text (a formatter's table); the value has no raw bytes.
  void AddMakerValue(std::string_view name, std::string_view text, int valueType);
  // Writes a new image size over the stored one (SHORT or LONG, left-justified) into `bytes`,
  // the EXIF bytes this object walked (their owner patches its own copy), when a size was
  // captured and differs.
  void PatchDimensions(std::string& bytes, std::int32_t newHeight, std::int32_t newWidth) const;

  std::int32_t IndexOfName(std::string_view name) const;
  std::string DisplayValueOf(std::string_view name) const;
  double NumericValueOf(std::string_view name) const;
  std::int32_t IntegerValueOf(std::string_view name) const;
  static std::int32_t TableIndexOfName(std::string_view name);
  // DisplayValueOf without a copy, of the entry at an index IndexOfName gave (-1: none).
  std::string_view DisplayValueAt(std::int32_t index) const;
  // Append a copy unless its TagNumber is 0; return the new count - 1.
  std::int32_t AppendEntry(TTagEntry entry);
  void RewindEntries() { entryCursor = 0; }
  void RewindThumbnailEntries() { thumbnailCursor = 0; }
  // The next entry of that table; false at the end.
  bool NextEntryOfTable(EntryTable tableId, TTagEntry& entry);
  bool NextThumbnailEntryOfTable(EntryTable tableId, TTagEntry& entry);

  // Adds the 35 mm focal length when the camera did not store it and the sensor size is known.
  // What the layout of this image's maker note is chosen by.
  tNoteFacts NoteFacts() const;
  void DeriveFocalLength35();
  std::optional<double> SensorDiagonal() const;
  std::optional<double> CanonSensorDiagonal() const;
  // Labelled lines joined by CR LF; one line of fields joined by "|". errStr is the scan's
  // result text: anything but "<none>" gives the error line instead.
  std::string SummaryLong(const tFileFacts& file, std::string_view errStr) const;
  std::string SummaryShort(const tFileFacts& file, std::string_view errStr) const;

  std::vector<TTagEntry> entries;
  std::string exifVersion;  // raw bytes of tag 0x9000, at most 6
  std::string cameraMake, cameraModel, photoDate;
  std::int32_t imageHeight = 0, imageWidth = 0;
  std::int64_t heightPos = 0, widthPos = 0;  // value fields of the entries that gave the size
  std::int32_t flashValue = 0;
  BuildMode buildMode;
  platform::tLocale locale;  // the decimal separator of values, the date format of the summary
  std::string_view makerNoteData;  // a view of the EXIF bytes, as the entries' raw values are
  bool tiffSource = false;
  // Where the TIFF header stands in segmentData (1-based): 9 in a JPEG's APP1, after the length
  // bytes and "Exif\0\0"; 1 where the bytes are a TIFF file's.
  std::int64_t headerPos = 9;
  std::string userComment;
  std::int64_t userCommentPos = 0, userCommentLength = 0;
  std::int64_t dateTimePos = 0, dateTimeOriginalPos = 0, dateTimeDigitizedPos = 0;
  std::int64_t thumbnailStart = 0;  // TIFF offset of IFD1 (0 = none)
  std::int64_t thumbnailLength = 0;
  std::int32_t thumbnailCompression = 0;
  std::vector<TTagEntry> thumbnailEntries;
  bool makerNoteDecoded = false;
  std::int64_t makerNotePos = 0;
  std::size_t entryCursor = 0, thumbnailCursor = 0;
  // How many of the EXIF bytes came from the file (a TIFF buffer is padded with zeros); the
  // walk's work budget grows with it. 0: all of them.
  std::int64_t bytesFromFile = 0;
  // What the walks could not read: the message for the scan's result text (kNone while every
  // directory fitted), and one note per directory left out, saying where and why.
  ScanMessage walkMessage = ScanMessage::kNone;
  std::vector<std::string> skippedDirectories;

 private:
  void ReadEntry(std::int64_t e, std::int64_t offsetBase, std::int64_t exifLength,
                 int directoryKind);
  std::string DisplayText(const tIfdEntry& value, std::string_view raw, const TTagEntry& row);
  void Capture(const tIfdEntry& value, std::string_view raw, const std::string& text,
               std::int64_t offsetBase, std::int64_t exifLength, int directoryKind);
  void FollowDirectory(std::int64_t valuePos, std::int64_t offsetBase, std::int64_t exifLength,
                       int kind);
  void DecodeMakerNote();
  // A note that is a record of fixed fields (Kodak's): each field's line, in the maker-note table.
  void ReadMakerRecord(std::string_view record, std::span<const tRecordField> fields,
                       bool recordBigEndian);
  // Where a maker-note directory stands and where its offsets count from (1-based in the note),
  // and how deep among the note's own subdirectories.
  struct tMakerDirectory {
    std::int64_t dirPos = 0, valueStart = 0, fallbackBase = 0;
    int depth = 0;
  };
  void WalkMakerDirectory(const tIfdReader& note, std::span<const tTagRow> table,
                          const tMakerDirectory& at);
  void ReadMakerEntry(const tIfdReader& note, std::span<const tTagRow> table, std::int64_t e,
                      const tMakerDirectory& at);
  void FollowMakerSubdirectory(const tIfdReader& note, const tTagRow& row, const tIfdEntry& value,
                               std::string_view raw, const tMakerDirectory& at);

  // Charges work against a walk's budget; false (and that walk stops) once it is spent.
  bool Spend(std::int64_t& budget, std::int64_t units);

  std::set<std::pair<std::int64_t, std::int64_t>> visited_;  // (offsetBase, dirStart) walked
  int depth_ = 0;
  // What the walks of this image may still do: entries read (12 units each) and value bytes
  // kept. A file's own directories need about its size; a hostile file whose directories and
  // values overlap would need the square of it. Set on the first walk. The maker note, decoded
  // once per image, has a budget of its own, so a note read with the wrong layout cannot starve
  // the directories after it.
  std::int64_t workLeft_ = -1;
  std::int64_t makerWorkLeft_ = -1;
  bool makerNoteSeen_ = false;
};

}  // namespace dux
