#include "metadata/TImageInfo.h"

#include <stdexcept>
#include <string>

#include "metadata/AsciiText.h"
#include "metadata/ExifTags.h"
#include "metadata/ExifValues.h"
#include "metadata/MakerNoteFormatters.h"
#include "metadata/TimgData.h"
#include "metadata/TmsInfo.h"

namespace dux {
namespace {

constexpr int kMaxDirectoryDepth = 32;
constexpr std::int64_t kWorkPerByte = 8, kWorkAllowance = 1 << 16;
constexpr int kAscii = 2, kUndefined = 7, kShort = 3, kLong = 4;

// Tags whose value the walk keeps in a field or follows.
enum : std::uint16_t {
  kImageWidth = 0x0100, kImageLength = 0x0101, kCompression = 0x0103, kMake = 0x010F,
  kModel = 0x0110, kDateTime = 0x0132, kSubIfds = 0x014A, kExifOffset = 0x8769,
  kGpsInfo = 0x8825, kExifVersion = 0x9000, kDateTimeOriginal = 0x9003,
  kDateTimeDigitized = 0x9004, kFlash = 0x9209, kMakerNote = 0x927C, kUserComment = 0x9286,
  kExifImageWidth = 0xA002, kExifImageLength = 0xA003, kInteropOffset = 0xA005,
};

}  // namespace

// One directory entry as read: its fields and the value bytes that exist.
struct TImageInfo::tRawEntry {
  std::uint16_t tag = 0;
  int type = 0;
  std::int64_t size = 0;       // count x bytes per component, as the entry claims
  std::int64_t valuePos = 0;   // 1-based position of the value bytes
  std::int64_t fieldPos = 0;   // position of the 4-byte value field
  std::string_view raw;        // up to size bytes, fewer when the data ends
};

TImageInfo::TImageInfo(TimgData* owner, std::int32_t buildMode) : owner(owner), buildMode(buildMode) {}

std::string_view TImageInfo::ExifBytes() const {
  return owner != nullptr && owner->exifSection != nullptr ? std::string_view(owner->exifSection->bytes)
                                                           : std::string_view(segmentData);
}

bool TImageInfo::Spend(std::int64_t& budget, std::int64_t units) {
  if (budget < 0) budget = kWorkPerByte * (bytesFromFile > 0 ? bytesFromFile : std::ssize(ExifBytes())) + kWorkAllowance;
  if (units > budget) {
    budget = 0;
    return false;
  }
  budget -= units;
  return true;
}

void TImageInfo::ParseDirectory(std::int64_t dirStart, std::int64_t offsetBase, std::int64_t exifLength,
                                int directoryKind) {
  visited_.insert({offsetBase, dirStart});
  const std::int64_t n = ReadWord(dirStart);
  const std::int64_t tableEnd = dirStart + 2 + 12 * n;  // one past the last entry
  // A table larger than the EXIF block, or than the bytes there are, cannot be a directory.
  if (2 + 12 * n > offsetBase + exifLength ||
      (n > 0 && !HasBytes(segmentData, dirStart, tableEnd - dirStart))) {
    if (owner != nullptr) owner->ErrStr = "Illegally sized directory";
    return;
  }
  if (directoryKind == kMainDirectory && thumbnailStart == 0 && !tiffSource) {
    thumbnailStart = ReadLong(tableEnd);
    thumbnailLength = offsetBase + exifLength - thumbnailStart;
  }
  for (std::int64_t i = 0; i < n; ++i) ReadEntry(dirStart + 2 + 12 * i, offsetBase, exifLength, directoryKind);
}

void TImageInfo::ReadEntry(std::int64_t e, std::int64_t offsetBase, std::int64_t exifLength, int directoryKind) {
  tRawEntry value;
  value.tag = ReadWord(e);
  value.type = ReadWord(e + 2);
  value.size = static_cast<std::int64_t>(static_cast<std::uint32_t>(ReadLong(e + 4))) * TypeSize(value.type);
  if (value.size == 0) return;
  value.fieldPos = e + 8;
  value.valuePos = value.size <= 4 ? e + 8 : static_cast<std::uint32_t>(ReadLong(e + 8)) + offsetBase;
  value.raw = Bytes(ExifBytes(), value.valuePos, value.size);
  if (!Spend(workLeft_, 12 + std::ssize(value.raw))) return;
  TTagEntry row = LookupTagRow(value.tag, directoryKind);
  const bool formats = buildMode == 2 || buildMode == 255;
  std::string text = formats ? DisplayText(value, row) : std::string();
  Capture(value, text, offsetBase, exifLength, directoryKind);
  if (buildMode == 4 || buildMode == 255) {
    TTagEntry entry = std::move(row);
    entry.DisplayValue = std::move(text);
    entry.RawValue = value.raw;
    entry.MaxSize = static_cast<std::int32_t>(value.raw.size());
    entry.RawOffset = static_cast<std::int32_t>(value.valuePos);
    entry.ValueType = static_cast<std::uint16_t>(value.type);
    if (directoryKind == kThumbnailDirectory) {
      AppendThumbnailEntry(std::move(entry));
    } else {
      AppendEntry(std::move(entry));
    }
  }
}

std::string TImageInfo::DisplayText(const tRawEntry& value, const TTagEntry& row) {
  std::string text;
  if (value.type == kAscii) {
    text = value.raw;
    if (!text.empty() && text.back() == '\0') text.pop_back();
  } else if (value.type == kUndefined) {
    text = "\"" + std::string(value.raw.substr(0, value.raw.find('\0'))) + "\"";
  } else {
    text = FormatTagValue(value.raw, value.type, row.ValueCodes, row.FormatText, bigEndian);
  }
  text = row.TagNumber > 0 && row.Formatter != nullptr ? row.Formatter(text) : PrintableText(text);
  if (value.tag == kUserComment) {
    // Without the 8-byte character code; the last byte is left out as well. Zero bytes (those
    // of a 16-bit comment) go: a host text ends at the first one, and the line list with it.
    userComment = TrimBlanks(Bytes(value.raw, 9, value.size - 9));
    std::erase(userComment, '\0');
    userCommentPos = value.valuePos;
    userCommentLength = value.size - 9;
    text = userComment;
  }
  return text;
}

void TImageInfo::Capture(const tRawEntry& value, const std::string& text, std::int64_t offsetBase,
                         std::int64_t exifLength, int directoryKind) {
  const auto number = [&] { return RoundToInt32(NumericValue(value.raw, value.type, bigEndian)); };
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
    case kMake: cameraMake = text.substr(0, 32); break;
    case kModel: cameraModel = text.substr(0, 40); break;
    case kDateTime:
      dateTimePos = value.valuePos;
      photoDate = text.substr(0, 20);
      break;
    case kDateTimeOriginal:
      dateTimeOriginalPos = value.valuePos;
      photoDate = text.substr(0, 20);
      break;
    case kDateTimeDigitized: dateTimeDigitizedPos = value.valuePos; break;
    case kExifVersion: exifVersion = value.raw.substr(0, 6); break;
    case kFlash: flashValue = number(); break;
    case kMakerNote:
      makerNoteData = value.raw;
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

void TImageInfo::FollowDirectory(std::int64_t valuePos, std::int64_t offsetBase, std::int64_t exifLength,
                                 int kind) {
  const std::int64_t start = static_cast<std::int64_t>(ReadLong(valuePos)) + offsetBase;
  // The visited list ends pointer loops; the depth limit ends chains of distinct directories.
  if (visited_.count({offsetBase, start}) != 0 || depth_ >= kMaxDirectoryDepth) return;
  ++depth_;
  try {
    ParseDirectory(start, offsetBase, exifLength, kind);
  } catch (const std::exception&) {  // a broken sub-directory does not end the parent's walk
  }
  --depth_;
}

void TImageInfo::DecodeMakerNote() {
  if (makerNoteSeen_) return;  // a second MakerNote tag is kept as an entry, not walked
  makerNoteSeen_ = true;
  TmsInfo decoder(tiffSource, this);
  makerNoteDecoded = decoder.DecodeMakerNote(*this);
}

void TImageInfo::ParseMakerDirectory(std::string_view makerBytes, std::span<const tTagRow> table,
                                     std::int64_t dirOffset, std::int64_t valueBase, std::int64_t fallbackBase) {
  if (!Spend(makerWorkLeft_, std::ssize(makerBytes))) return;
  const std::string_view note = makerBytes;
  const std::int64_t dirPos = dirOffset + 1;
  const std::int64_t valueStart = dirPos - valueBase + 1;
  ViewSegmentData(note);  // the readers index the note until the walk ends
  try {
    // Only entries that lie wholly inside the note are read, whatever count it claims.
    const std::int64_t room = (std::ssize(note) - (dirPos + 2) + 1) / 12;
    const std::int64_t n = std::min<std::int64_t>(ReadWord(dirPos), std::max<std::int64_t>(room, 0));
    for (std::int64_t i = 0; i < n; ++i) ReadMakerEntry(note, table, dirPos + 2 + 12 * i, valueStart, fallbackBase);
  } catch (const std::exception& e) {
    if (owner != nullptr) owner->ErrStr = std::string("Error Detected = ") + e.what();
  }
  ViewSegmentData(owner != nullptr ? owner->segmentData : std::string_view());
}

void TImageInfo::ReadMakerEntry(std::string_view note, std::span<const tTagRow> table, std::int64_t e,
                                std::int64_t valueStart, std::int64_t fallbackBase) {
  const std::uint16_t tag = ReadWord(e);
  const int type = ReadWord(e + 2);
  const std::int64_t size = static_cast<std::int64_t>(static_cast<std::uint32_t>(ReadLong(e + 4))) * TypeSize(type);
  const std::int64_t offset = size <= 4 ? 0 : ReadLong(e + 8);
  const std::int64_t valuePos = size <= 4 ? e + 8 : valueStart + offset;
  // A value outside the note is looked for in the EXIF bytes, where some makes count from. A
  // value that ends with the note's last byte is inside it.
  const std::string_view raw = HasBytes(note, valuePos, size)
                                   ? Bytes(note, valuePos, size)
                                   : Bytes(owner != nullptr ? std::string_view(owner->segmentData) : std::string_view(),
                                           fallbackBase + offset, size);
  // A tag the table lacks is "Unknown" and not kept; a "Skip" row hides its tag.
  if (!Spend(makerWorkLeft_, 12 + std::ssize(raw))) return;
  const int idx = IndexOfTagInTable(tag, table);
  if (idx < 0 || SameTextIgnoringCase(table[static_cast<std::size_t>(idx)].Description, "SKIP")) return;
  if (!(buildMode == 4 || buildMode == 255)) return;
  const tTagRow& row = table[static_cast<std::size_t>(idx)];
  std::string text;
  if (type == 2) {
    text = "\"" + std::string(raw.substr(0, raw.find('\0'))) + "\"";
  } else if (type == 7) {
    text = "\"" + std::string(raw) + "\"";
  } else {
    text = FormatTagValue(raw, type, CodesOfTag(tag, table), row.FormatText, bigEndian);
  }
  MakerNoteState().keepUnformatted = false;
  const std::string formatted = row.Formatter != nullptr ? row.Formatter(text) : PrintableText(text);
  TTagEntry entry = EntryFromRow(row);
  entry.DisplayValue = MakerNoteState().keepUnformatted ? std::move(text) : formatted;
  entry.RawValue = raw;
  entry.ValueType = static_cast<std::uint16_t>(type);
  entry.TableId = 1;
  AppendEntry(std::move(entry));
}

void TImageInfo::AddMakerValue(std::string_view name, std::string_view text, int valueType) {
  if (!(buildMode == 4 || buildMode == 255)) return;
  TTagEntry entry;
  entry.TableId = 1;
  entry.ValueType = static_cast<std::uint16_t>(valueType);
  entry.ShortName = entry.Description = name;
  entry.DisplayValue = entry.RawValue = text;
  entry.MaxSize = static_cast<std::int32_t>(text.size());
  entries.push_back(std::move(entry));
}

void TImageInfo::ParseThumbnailDirectory() {
  ParseDirectory(thumbnailStart + 9, 9, thumbnailLength - 12, kThumbnailDirectory);
}

void TImageInfo::PatchDimensions(std::int32_t newHeight, std::int32_t newWidth) {
  if (owner == nullptr || owner->exifSection == nullptr || imageHeight <= 0 || imageWidth <= 0) return;
  if (newWidth == imageWidth && newHeight == imageHeight) return;
  std::string& bytes = owner->exifSection->bytes;
  const bool order = owner->bigEndian;
  const auto patch = [&](std::int64_t pos, std::int32_t value) {
    const int type = Word(bytes, pos - 6, order);
    const int width = type == kShort ? 2 : type == kLong ? 4 : 0;
    if (width == 0 || !HasBytes(bytes, pos, width)) return;
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < width; ++i) {
      const int shift = order ? 8 * (width - 1 - i) : 8 * i;
      bytes[static_cast<std::size_t>(pos - 1 + i)] = static_cast<char>((v >> shift) & 0xFF);
    }
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
  const std::int32_t i = IndexOfName(name);
  return i < 0 ? std::string() : entries[static_cast<std::size_t>(i)].DisplayValue;
}

TTagEntry TImageInfo::EntryByName(std::string_view name) const {
  const std::int32_t i = IndexOfName(name);
  return i < 0 ? TTagEntry{} : entries[static_cast<std::size_t>(i)];
}

double TImageInfo::NumericValueOf(std::string_view name) const {
  const TTagEntry entry = EntryByName(name);
  return entry.TagNumber == 0 ? 0.0 : NumericValue(entry.RawValue, entry.ValueType, bigEndian);
}

std::int32_t TImageInfo::IntegerValueOf(std::string_view name) const { return RoundToInt32(NumericValueOf(name)); }

std::int32_t TImageInfo::TableIndexOfName(std::string_view name) { return ExifTableIndexOfName(name); }

std::int32_t TImageInfo::AppendEntry(TTagEntry entry) {
  if (entry.TagNumber != 0) entries.push_back(std::move(entry));
  return static_cast<std::int32_t>(entries.size()) - 1;
}

std::int32_t TImageInfo::AppendThumbnailEntry(TTagEntry entry) {
  if (entry.TagNumber != 0) thumbnailEntries.push_back(std::move(entry));
  return static_cast<std::int32_t>(thumbnailEntries.size()) - 1;
}

namespace {

bool NextOf(const std::vector<TTagEntry>& list, std::size_t& cursor, std::int32_t tableId, TTagEntry& entry) {
  entry = TTagEntry{};
  while (cursor < list.size() && list[cursor].TableId != tableId) ++cursor;
  if (cursor >= list.size()) return false;
  entry = list[cursor++];
  return true;
}

}  // namespace

bool TImageInfo::NextEntryOfTable(std::int32_t tableId, TTagEntry& entry) {
  return NextOf(entries, entryCursor, tableId, entry);
}

bool TImageInfo::NextThumbnailEntryOfTable(std::int32_t tableId, TTagEntry& entry) {
  return NextOf(thumbnailEntries, thumbnailCursor, tableId, entry);
}

}  // namespace dux
