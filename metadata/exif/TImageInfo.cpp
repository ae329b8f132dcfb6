#include "metadata/exif/TImageInfo.h"

#include <algorithm>
#include <string>

#include "metadata/bytes/ByteWriter.h"
#include "metadata/exif/ExifFormatters.h"
#include "metadata/exif/ExifTags.h"
#include "metadata/makernotes/MakerNoteFormatters.h"
#include "metadata/makernotes/TmsInfo.h"
#include "metadata/tiff/ExifValues.h"
#include "text/AsciiText.h"
#include "text/Cp1252.h"
#include "text/TextFormat.h"

namespace dux {
namespace {

constexpr std::int64_t kWorkPerByte = 8, kWorkAllowance = 1 << 16;
constexpr int kAscii = 2, kUndefined = 7, kShort = 3, kLong = 4;

// Tags whose value the walk keeps in a field or follows.
enum : std::uint16_t {
  kImageWidth = 0x0100,
  kImageLength = 0x0101,
  kCompression = 0x0103,
  kMake = 0x010F,
  kModel = 0x0110,
  kDateTime = 0x0132,
  kSubIfds = 0x014A,
  kExifOffset = 0x8769,
  kGpsInfo = 0x8825,
  kExifVersion = 0x9000,
  kDateTimeOriginal = 0x9003,
  kDateTimeDigitized = 0x9004,
  kFlash = 0x9209,
  kMakerNote = 0x927C,
  kUserComment = 0x9286,
  kExifImageWidth = 0xA002,
  kExifImageLength = 0xA003,
  kInteropOffset = 0xA005,
};

// The context of an EXIF entry's formatter, which adds no values.
class ExifEntryContext final : public FormatContext {
 public:
  using FormatContext::FormatContext;
  void AddValue(std::string_view, std::string_view) override {}
};

}  // namespace

TImageInfo::TImageInfo(BuildMode buildMode, platform::tLocale locale)
    : buildMode(buildMode), locale(std::move(locale)) {}

bool TImageInfo::Spend(std::int64_t& budget, std::int64_t units) {
  if (budget < 0)
    budget = kWorkPerByte * (bytesFromFile > 0 ? bytesFromFile : std::ssize(segmentData)) +
             kWorkAllowance;
  if (units > budget) {
    budget = 0;
    return false;
  }
  budget -= units;
  return true;
}

void TImageInfo::ParseDirectory(std::int64_t dirStart, std::int64_t offsetBase,
                                std::int64_t exifLength, int directoryKind) {
  visited_.insert({offsetBase, dirStart});
  const tIfdReader reader{segmentData, bigEndian};
  // A table larger than the EXIF block, or than the bytes there are, cannot be a directory: the
  // whole directory is refused (a maker note, by contrast, reads what is there).
  const auto count =
      EntriesToRead(reader, dirStart, CountRule::kRefuseDirectory, offsetBase + exifLength);
  if (!count) {
    walkMessage = ScanMessage::kIllegallySizedDirectory;
    skippedDirectories.push_back("directory at " + std::to_string(dirStart) + ": " +
                                 std::to_string(reader.ReadWord(dirStart)) + " entries do not fit");
    return;
  }
  const std::int64_t n = *count;
  const std::int64_t tableEnd = dirStart + 2 + 12 * n;  // one past the last entry
  if (directoryKind == kMainDirectory && thumbnailStart == 0) {
    thumbnailStart = static_cast<std::uint32_t>(ReadLong(tableEnd));
    thumbnailLength = offsetBase + exifLength - thumbnailStart;
  }
  if (KeepsEntries(buildMode)) {  // room for the directory's entries at once
    std::vector<TTagEntry>& list =
        directoryKind == kThumbnailDirectory ? thumbnailEntries : entries;
    const std::size_t wanted = list.size() + static_cast<std::size_t>(n);
    if (wanted > list.capacity()) list.reserve(std::max(wanted, 2 * list.capacity()));
  }
  for (std::int64_t i = 0; i < n; ++i)
    ReadEntry(dirStart + 2 + 12 * i, offsetBase, exifLength, directoryKind);
}

void TImageInfo::ReadEntry(std::int64_t e, std::int64_t offsetBase, std::int64_t exifLength,
                           int directoryKind) {
  const tIfdEntry value = DecodeIfdEntry({segmentData, bigEndian}, e, offsetBase);
  if (value.size == 0) return;
  const std::string_view raw = Bytes(segmentData, value.valuePos, value.size);
  if (!Spend(workLeft_, 12 + std::ssize(raw))) return;
  std::optional<TTagEntry> row = LookupTagRow(value.tag, directoryKind);
  const bool formats = FormatsValues(buildMode);
  std::string text =
      formats ? DisplayText(value, raw, row ? *row : UnknownTagEntry()) : std::string();
  Capture(value, raw, text, offsetBase, exifLength, directoryKind);
  // A tag without a row is not kept; built in its place in the list.
  if (KeepsEntries(buildMode) && row) {
    TTagEntry& entry = (directoryKind == kThumbnailDirectory ? thumbnailEntries : entries)
                           .emplace_back(std::move(*row));
    entry.DisplayValue = std::move(text);
    entry.RawValue = raw;
    entry.MaxSize = static_cast<std::int32_t>(raw.size());
    entry.RawOffset = static_cast<std::int32_t>(value.valuePos);
    entry.ValueType = static_cast<std::uint16_t>(value.type);
  }
}

std::string TImageInfo::DisplayText(const tIfdEntry& value, std::string_view raw,
                                    const TTagEntry& row) {
  std::string text;
  if (auto decoded = DecodedText(raw, row.Text, bigEndian)) {
    text = std::move(*decoded);
  } else if (value.type == kAscii || value.type == kUtf8Type) {
    // Fixed-size fields pad with several zero bytes (a Make in 32); cameras and today's programs
    // write UTF-8 in ASCII fields as well.
    text = TextAsCp1252(TrimTrailingZeroBytes(raw));
  } else if (value.type == kUndefined && !raw.empty() && TrimTrailingZeroBytes(raw).size() <= 1 &&
             !row.ValueCodes.empty()) {  // FileSource, SceneType: one coded byte (some pad it)
    text = FormatTagValue(raw.substr(0, 1), 1, row.ValueCodes, row.FormatText, bigEndian,
                          locale.decimalSeparator);
  } else if (value.type == kUndefined) {
    text = QuotedText(raw.substr(0, raw.find('\0')));
  } else {
    text = FormatTagValue(raw, value.type, row.ValueCodes, row.FormatText, bigEndian,
                          locale.decimalSeparator);
  }
  if (row.FormatterWithContext != nullptr) {
    ExifEntryContext context(locale.decimalSeparator);
    text = row.FormatterWithContext(text, context);
  } else if (row.Formatter != nullptr) {
    text = row.Formatter(text);
  }
  KeepPrintable(text);
  if (value.tag == kUserComment) {
    userComment = text;
    userCommentPos = value.valuePos;
    userCommentLength = std::max<std::int64_t>(value.size - 8, 0);
  }
  return text;
}

void TImageInfo::Capture(const tIfdEntry& value, std::string_view raw, const std::string& text,
                         std::int64_t offsetBase, std::int64_t exifLength, int directoryKind) {
  const auto number = [&] { return RoundToInt32(NumericValue(raw, value.type, bigEndian)); };
  switch (value.tag) {
    case kImageWidth:
    case kExifImageWidth:
      widthPos = value.fieldPos;
      imageWidth = number();
      break;
    case kImageLength:
    case kExifImageLength:
      heightPos = value.fieldPos;
      imageHeight = number();
      break;
    case kCompression:
      if (directoryKind == kThumbnailDirectory) thumbnailCompression = number();
      break;
    case kMake:
      cameraMake = text.substr(0, 32);
      break;
    case kModel:
      cameraModel = text.substr(0, 40);
      break;
    case kDateTime:
      dateTimePos = value.valuePos;
      photoDate = text.substr(0, 20);
      break;
    case kDateTimeOriginal:
      dateTimeOriginalPos = value.valuePos;
      photoDate = text.substr(0, 20);
      break;
    case kDateTimeDigitized:
      dateTimeDigitizedPos = value.valuePos;
      break;
    case kExifVersion:
      exifVersion = raw.substr(0, 6);
      break;
    case kFlash:
      flashValue = number();
      break;
    case kMakerNote:
      makerNoteData = raw;
      makerNotePos = value.valuePos;
      DecodeMakerNote();
      break;
    case kSubIfds:
    case kExifOffset:
    case kInteropOffset:
      FollowDirectory(value.valuePos, offsetBase, exifLength, kMainDirectory);
      break;
    case kGpsInfo:
      FollowDirectory(value.valuePos, offsetBase, exifLength, kGpsDirectory);
      break;
    default:
      break;
  }
}

void TImageInfo::FollowDirectory(std::int64_t valuePos, std::int64_t offsetBase,
                                 std::int64_t exifLength, int kind) {
  const std::int64_t start = static_cast<std::uint32_t>(ReadLong(valuePos)) + offsetBase;
  // The visited list ends pointer loops; the depth limit ends chains of distinct directories.
  if (visited_.count({offsetBase, start}) != 0) {
    skippedDirectories.push_back("directory at " + std::to_string(start) + ": walked before");
    return;
  }
  if (depth_ >= kMaxDirectoryDepth) {
    skippedDirectories.push_back("directory at " + std::to_string(start) + ": nested more than " +
                                 std::to_string(kMaxDirectoryDepth) + " deep");
    return;
  }
  ++depth_;
  ParseDirectory(start, offsetBase, exifLength, kind);
  --depth_;
}

tNoteFacts TImageInfo::NoteFacts() const {
  return {cameraMake,   cameraModel, exifVersion, makerNoteData,
          makerNotePos, bigEndian,   tiffSource,  headerPos};
}

void TImageInfo::DecodeMakerNote() {
  if (makerNoteSeen_) return;  // a second MakerNote tag is kept as an entry, not walked
  makerNoteSeen_ = true;
  const auto layout = TmsInfo::LayoutOf(NoteFacts());
  makerNoteDecoded = layout.has_value();
  if (layout && !layout->record.empty()) {
    ReadMakerRecord(makerNoteData.substr(std::min<std::size_t>(
                        makerNoteData.size(), static_cast<std::size_t>(layout->dirOffset))),
                    layout->record, layout->bigEndian);
  } else if (layout) {
    ParseMakerDirectory(makerNoteData, layout->table, layout->dirOffset, layout->valueBase,
                        layout->fallbackBase, layout->bigEndian);
  }
}

void TImageInfo::ReadMakerRecord(std::string_view record, std::span<const tRecordField> fields,
                                 bool recordBigEndian) {
  if (!KeepsEntries(buildMode) || !Spend(makerWorkLeft_, std::ssize(record))) return;
  for (const tRecordField& field : fields) {
    if (!HasBytes(record, field.offset + 1, field.size)) continue;  // a shorter record
    const std::string_view raw = record.substr(field.offset, field.size);
    std::string text;
    if (field.text) {
      text = QuotedText(raw.substr(0, raw.find('\0')));
    } else {
      const auto number = static_cast<std::uint32_t>(DecodeInteger(raw, recordBigEndian));
      text = !field.codes.empty() ? std::string(ValueCodeOf(field.codes, std::to_string(number)))
             : field.divisor != 1
                 ? ShortFixedText(number / field.divisor, 5, locale.decimalSeparator)  // 6.73
                 : std::to_string(number);
    }
    TTagEntry& entry = entries.emplace_back();
    entry.TableId = EntryTable::kMakerNote;
    entry.ShortName = field.name;
    entry.Description = field.label;
    entry.DisplayValue = PrintableText(text);
    entry.RawValue = raw;
    entry.ValueType = static_cast<std::uint16_t>(field.text        ? kAscii
                                                 : field.size == 1 ? 1
                                                 : field.size == 2 ? kShort
                                                                   : kLong);
  }
}

namespace {

// The context of one maker entry's formatter: named values join the directory set.
class MakerEntryContext final : public FormatContext {
 public:
  explicit MakerEntryContext(TImageInfo& info)
      : FormatContext(info.locale.decimalSeparator), info_(info) {}
  void AddValue(std::string_view name, std::string_view text) override {
    info_.AddMakerValue(name, text, kAscii);
  }

 private:
  TImageInfo& info_;
};

}  // namespace

void TImageInfo::ParseMakerDirectory(std::string_view makerBytes, std::span<const tTagRow> table,
                                     std::int64_t dirOffset, std::int64_t valueBase,
                                     std::int64_t fallbackBase, bool noteBigEndian) {
  if (!Spend(makerWorkLeft_, std::ssize(makerBytes))) return;
  const tIfdReader note{makerBytes, noteBigEndian};
  const std::int64_t dirPos = dirOffset + 1;
  WalkMakerDirectory(note, table, {dirPos, dirPos - valueBase + 1, fallbackBase, 0});
}

void TImageInfo::WalkMakerDirectory(const tIfdReader& note, std::span<const tTagRow> table,
                                    const tMakerDirectory& at) {
  // Only entries that lie wholly inside the note are read, whatever count it claims.
  const std::int64_t n = *EntriesToRead(note, at.dirPos, CountRule::kReadThoseThere);
  for (std::int64_t i = 0; i < n; ++i) ReadMakerEntry(note, table, at.dirPos + 2 + 12 * i, at);
}

namespace {

constexpr int kMaxMakerDepth = 2;  // a note's subdirectories, and theirs; none go deeper
constexpr int kIfdType = 13;

}  // namespace

// A row with a table of its own names a subdirectory: its offset (a LONG or IFD value, counted
// as the note's other offsets are), or the directory itself as the value's bytes. Its entries
// join the note's.
void TImageInfo::FollowMakerSubdirectory(const tIfdReader& note, const tTagRow& row,
                                         const tIfdEntry& value, std::string_view raw,
                                         const tMakerDirectory& at) {
  if (at.depth >= kMaxMakerDepth) return;
  std::int64_t dirPos = 0;
  if (value.type == kIfdType && HasBytes(note.bytes, value.fieldPos, 4)) {
    dirPos = at.valueStart + note.ReadLong(value.fieldPos);  // a type the EXIF walk has not
  } else if (value.type == kLong && raw.size() == 4) {
    dirPos = at.valueStart + static_cast<std::uint32_t>(DecodeInteger(raw, note.bigEndian));
  } else if (HasBytes(note.bytes, value.valuePos, value.size) && value.size >= 2) {
    dirPos = value.valuePos;
  } else {
    return;
  }
  WalkMakerDirectory(note, *row.SubTable, {dirPos, at.valueStart, at.fallbackBase, at.depth + 1});
}

void TImageInfo::ReadMakerEntry(const tIfdReader& note, std::span<const tTagRow> table,
                                std::int64_t e, const tMakerDirectory& at) {
  const tIfdEntry value = DecodeIfdEntry(note, e, at.valueStart);
  // A value outside the note is looked for in the EXIF bytes, where some makes count from. A
  // value that ends with the note's last byte is inside it. An empty value is kept.
  const std::string_view raw = ValueBytes(note, value, segmentData, at.fallbackBase);
  // A tag the table lacks is "Unknown" and not kept; a "Skip" row hides its tag.
  if (!Spend(makerWorkLeft_, 12 + std::ssize(raw))) return;
  const int idx = IndexOfTagInTable(value.tag, table);
  if (idx < 0 || SameTextIgnoringCase(table[static_cast<std::size_t>(idx)].Description, "SKIP"))
    return;
  const tTagRow& row = table[static_cast<std::size_t>(idx)];
  if (row.SubTable != nullptr) return FollowMakerSubdirectory(note, row, value, raw, at);
  if (!KeepsEntries(buildMode)) return;
  std::string text;
  if (value.type == kAscii || value.type == kUndefined) {
    text = QuotedText(value.type == kAscii ? raw.substr(0, raw.find('\0')) : raw);
  } else {
    text = FormatTagValue(raw, value.type, row.ValueCodes, row.FormatText, note.bigEndian,
                          locale.decimalSeparator);
  }
  MakerEntryContext context(*this);
  std::string formatted = row.FormatterWithContext != nullptr
                              ? row.FormatterWithContext(text, context)
                          : row.Formatter != nullptr ? row.Formatter(text)
                                                     : PrintableText(text);
  // Kept although its number may be 0: the row was found, and several makes number a tag 0
  // (Minolta's model, Fujifilm's note version), which AppendEntry would take for a missing row.
  TTagEntry& entry = entries.emplace_back(EntryFromRow(row));
  entry.DisplayValue = context.KeepsUnformatted() ? std::move(text) : std::move(formatted);
  entry.RawValue = raw;
  entry.ValueType = static_cast<std::uint16_t>(value.type);
  entry.TableId = EntryTable::kMakerNote;
}

void TImageInfo::AddMakerValue(std::string_view name, std::string_view text, int valueType) {
  if (!KeepsEntries(buildMode)) return;
  TTagEntry& entry = entries.emplace_back();
  entry.TableId = EntryTable::kMakerNote;
  entry.ValueType = static_cast<std::uint16_t>(valueType);
  entry.ShortName = entry.Description = name;
  entry.DisplayValue = text;  // no raw bytes: the value is text the formatter made
  entry.MaxSize = static_cast<std::int32_t>(text.size());
}

void TImageInfo::ParseThumbnailDirectory() {
  ParseDirectory(thumbnailStart + headerPos, headerPos, thumbnailLength - 12, kThumbnailDirectory);
}

void TImageInfo::PatchDimensions(std::string& bytes, std::int32_t newHeight,
                                 std::int32_t newWidth) const {
  if (imageHeight <= 0 || imageWidth <= 0) return;
  if (newWidth == imageWidth && newHeight == imageHeight) return;
  const auto patch = [&](std::int64_t pos, std::int32_t value) {
    const int type = Word(bytes, pos - 6, bigEndian);
    const int width = type == kShort ? 2 : type == kLong ? 4 : 0;
    if (width == 0 || !HasBytes(bytes, pos, width)) return;
    PutValue(bytes, static_cast<std::size_t>(pos - 1), width, static_cast<std::uint32_t>(value),
             bigEndian);
  };
  patch(heightPos, newHeight);
  patch(widthPos, newWidth);
}

std::int32_t TImageInfo::IndexOfName(std::string_view name) const {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (SameTextIgnoringCase(entries[i].ShortName, name)) return static_cast<std::int32_t>(i);
  }
  return -1;
}

std::string TImageInfo::DisplayValueOf(std::string_view name) const {
  return std::string(DisplayValueAt(IndexOfName(name)));
}

std::string_view TImageInfo::DisplayValueAt(std::int32_t index) const {
  return index < 0 ? std::string_view() : entries[static_cast<std::size_t>(index)].DisplayValue;
}

double TImageInfo::NumericValueOf(std::string_view name) const {
  const std::int32_t i = IndexOfName(name);
  if (i < 0) return 0.0;
  const TTagEntry& entry = entries[static_cast<std::size_t>(i)];
  return entry.TagNumber == 0 ? 0.0 : NumericValue(entry.RawValue, entry.ValueType, bigEndian);
}

std::int32_t TImageInfo::IntegerValueOf(std::string_view name) const {
  return RoundToInt32(NumericValueOf(name));
}

std::int32_t TImageInfo::TableIndexOfName(std::string_view name) {
  return ExifTableIndexOfName(name);
}

std::int32_t TImageInfo::AppendEntry(TTagEntry entry) {
  if (entry.TagNumber != 0) entries.push_back(std::move(entry));
  return static_cast<std::int32_t>(entries.size()) - 1;
}

namespace {

bool NextOf(const std::vector<TTagEntry>& list, std::size_t& cursor, EntryTable tableId,
            TTagEntry& entry) {
  entry = TTagEntry{};
  while (cursor < list.size() && list[cursor].TableId != tableId) ++cursor;
  if (cursor >= list.size()) return false;
  entry = list[cursor++];
  return true;
}

}  // namespace

bool TImageInfo::NextEntryOfTable(EntryTable tableId, TTagEntry& entry) {
  return NextOf(entries, entryCursor, tableId, entry);
}

bool TImageInfo::NextThumbnailEntryOfTable(EntryTable tableId, TTagEntry& entry) {
  return NextOf(thumbnailEntries, thumbnailCursor, tableId, entry);
}

}  // namespace dux
