#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace dux {

// A special formatter: turns an entry's display text into its final text.
using TextFormatter = std::string (*)(std::string_view text);

// What a formatter may know and do beyond returning a text: the user's decimal separator for the
// reals it writes; in a maker note, add named values (under a constant name, from the
// formatter's own table) to the directory set being decoded, and have the entry keep its plain
// value text instead of the formatted one.
class FormatContext {
 public:
  explicit FormatContext(char decimalSeparator) noexcept : decimalSeparator_(decimalSeparator) {}
  char DecimalSeparator() const noexcept { return decimalSeparator_; }
  virtual void AddValue(std::string_view name, std::string_view text) = 0;
  void KeepUnformatted() noexcept { keepUnformatted_ = true; }
  bool KeepsUnformatted() const noexcept { return keepUnformatted_; }

 protected:
  ~FormatContext() = default;

 private:
  char decimalSeparator_;
  bool keepUnformatted_ = false;
};

// A formatter that works with the decode's context.
using ContextFormatter = std::string (*)(std::string_view text, FormatContext& context);

// Which list of an image's entries an entry belongs to.
enum class EntryTable : std::int32_t {
  kDirectories = 0,
  kMakerNote = 1
};  // EXIF, GPS and IPTC; the maker note

// What a walk of the EXIF directories builds: the values' display texts, the entries, or both.
enum class BuildMode : std::int32_t { kFormatted = 2, kEntries = 4, kAll = 255 };
constexpr bool FormatsValues(BuildMode mode) {
  return mode == BuildMode::kFormatted || mode == BuildMode::kAll;
}
constexpr bool KeepsEntries(BuildMode mode) {
  return mode == BuildMode::kEntries || mode == BuildMode::kAll;
}

// How a text value's bytes are encoded, where its type does not say it: ASCII and UTF-8 values
// are text by their type, an UNDEFINED or BYTE value only by its tag.
enum class tTextKind : std::uint8_t {
  kByType,             // as the value's type gives it
  kWithCharacterCode,  // 8 bytes name the character code ("ASCII", "UNICODE", "JIS"), then the text
  kUcs2LittleEndian,   // Windows' XP texts
};

// One row of a constant tag table (EXIF, GPS, IPTC, maker notes).
struct tTagRow {
  std::uint16_t RecordNumber = 0;  // IPTC record (2 or 8); 0 in EXIF tables
  std::uint16_t TagNumber = 0;
  std::string_view ShortName{}, Description{}, ValueCodes{}, FormatText{};
  std::int32_t MaxSize = 0;  // IPTC write limit
  TextFormatter Formatter = nullptr;
  ContextFormatter FormatterWithContext = nullptr;  // used instead of Formatter
  tTextKind Text = tTextKind::kByType;
  // A maker-note directory of its own that the tag points to, with this table.
  const std::span<const tTagRow>* SubTable = nullptr;
};

// The record of every decoded EXIF, maker-note or IPTC entry. TagNumber 0 marks a row that was
// not found; such entries are not stored. Names are constant texts (table rows and prepared
// labels), and the raw value is a view of the bytes that were walked: an entry is good while
// the image it came from is.
struct TTagEntry {
  EntryTable TableId = EntryTable::kDirectories;
  std::uint16_t ValueType = 0;
  std::uint16_t RecordNumber = 0;
  std::uint16_t TagNumber = 0;
  std::string_view ShortName;
  std::string_view Description;
  std::string_view ValueCodes;  // of the table row: tables are constant
  std::string DisplayValue;
  std::string_view RawValue;  // byte string
  std::int32_t RawOffset = 0;
  std::string_view FormatText;  // of the table row, or a constant
  std::int32_t MaxSize = 0;
  TextFormatter Formatter = nullptr;
  ContextFormatter FormatterWithContext = nullptr;
  tTextKind Text = tTextKind::kByType;
};

// A decoded entry that starts as a copy of a table row, with the row's description or another.
inline TTagEntry EntryFromRow(const tTagRow& row, std::string_view description) {
  TTagEntry entry;
  entry.RecordNumber = row.RecordNumber;
  entry.TagNumber = row.TagNumber;
  entry.ShortName = row.ShortName;
  entry.Description = description;
  entry.ValueCodes = row.ValueCodes;
  entry.FormatText = row.FormatText;
  entry.MaxSize = row.MaxSize;
  entry.Formatter = row.Formatter;
  entry.FormatterWithContext = row.FormatterWithContext;
  entry.Text = row.Text;
  return entry;
}
inline TTagEntry EntryFromRow(const tTagRow& row) { return EntryFromRow(row, row.Description); }

}  // namespace dux
