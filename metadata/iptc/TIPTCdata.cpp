#include "metadata/iptc/TIPTCdata.h"

#include <algorithm>
#include <map>
#include <set>

#include "metadata/bytes/ByteReader.h"
#include "metadata/iptc/IimDatasets.h"
#include "metadata/iptc/IptcTags.h"
#include "metadata/iptc/PhotoshopResources.h"
#include "text/AsciiText.h"
#include "text/CommaList.h"
#include "text/Cp1252.h"

namespace dux {
namespace {

// Record 1 dataset 90 (coded character set) holding ESC % G declares the values UTF-8.
constexpr std::string_view kUtf8Declaration{"\x1C\x01\x5A\x00\x03\x1B\x25\x47", 8};

}  // namespace

std::int32_t TIPTCdata::IndexOfName(std::string_view name) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (SameTextIgnoringCase(entries_[i].ShortName, name)) return static_cast<std::int32_t>(i);
  }
  return -1;
}

std::int32_t TIPTCdata::TableIndexOfName(std::string_view name) {
  return IptcTableIndexOfName(name);
}

std::int32_t TIPTCdata::AppendEntry(const TTagEntry& entry) {
  if (entry.TagNumber != 0) entries_.push_back(entry);
  return Count() - 1;
}

std::int32_t TIPTCdata::SetValue(std::string_view name, std::string_view value) {
  const std::int32_t row = IndexOfName(name);
  if (row >= 0) {
    if (!value.empty()) entries_[static_cast<std::size_t>(row)].DisplayValue = value;
    return row;
  }
  const std::int32_t t = TableIndexOfName(name);
  if (t < 0) return -1;
  TTagEntry entry = EntryFromRow(kIptcTags[static_cast<std::size_t>(t)]);
  entry.DisplayValue = value;
  return AppendEntry(entry);
}

std::int32_t TIPTCdata::AddListValue(std::string_view name, std::string_view value) {
  const std::int32_t row = IndexOfName(name);
  if (row < 0) return SetValue(name, MergeLists("", value));
  if (!value.empty()) {
    auto& entry = entries_[static_cast<std::size_t>(row)];
    entry.DisplayValue = MergeLists(entry.DisplayValue, value);
  }
  return row;
}

std::string TIPTCdata::ValueOf(std::string_view name, std::string_view defaultValue) const {
  const std::int32_t row = IndexOfName(name);
  return row < 0 ? std::string(defaultValue) : entries_[static_cast<std::size_t>(row)].DisplayValue;
}

std::string TIPTCdata::MergeLists(std::string_view existing, std::string_view added) {
  std::vector<std::string> result = SplitCommaList(existing);
  for (const std::string& item : SplitCommaList(added)) {
    const std::string_view trimmed = TrimBlanks(item);
    bool present = false;
    for (const std::string& have : result) present = present || SameTextIgnoringCase(have, trimmed);
    if (!present) result.emplace_back(trimmed);
  }
  return JoinCommaList(result);
}

TTagEntry TIPTCdata::EntryOf(int record, int dataset, std::string_view value, bool utf8) {
  TTagEntry entry;
  if (record != 2 && record != 8) return entry;
  const int row = IptcTableIndexOf(record, dataset);
  if (row >= 0 && kIptcTags[static_cast<std::size_t>(row)].ShortName != "SKIP") {
    entry = EntryFromRow(kIptcTags[static_cast<std::size_t>(row)]);
  } else {
    entry.ShortName = entry.Description = IptcCustomName(dataset);
    entry.TagNumber = static_cast<std::uint16_t>(dataset);
    entry.RecordNumber = static_cast<std::uint16_t>(record);
    entry.MaxSize = 64;
  }
  entry.DisplayValue = utf8 ? Utf8ToCp1252(value) : std::string(value);
  return entry;
}

TTagEntry TIPTCdata::ReadDataset(std::string_view buffer, std::int64_t& pos, bool utf8) {
  const int record = Byte(buffer, pos);
  const int dataset = Byte(buffer, pos + 1);
  const std::int64_t length = Word(buffer, pos + 2, true);
  pos += 4;
  TTagEntry entry = EntryOf(record, dataset, Bytes(buffer, pos, length), utf8);
  // Past the value and past the byte where the next dataset's 0x1C is expected; that byte is
  // not checked.
  pos += length + 1;
  return entry;
}

void TIPTCdata::AddDataset(const TTagEntry& entry, std::map<std::string, tListRow>& lists) {
  if (entry.TagNumber <= 255 && IsIptcListDataset(entry.TagNumber)) {
    AddListDataset(entry, lists);
  } else {
    AppendEntry(entry);
  }
}

void TIPTCdata::ParseSegment(std::string_view segmentBytes) {
  ClearEntries();
  std::map<std::string, tListRow> lists;
  const auto finish = [&]() {
    for (const auto& [name, list] : lists) {
      entries_[static_cast<std::size_t>(list.row)].DisplayValue = JoinCommaList(list.items);
    }
  };
  // A Photoshop block: the datasets of its IPTC resource, as far as the resources parse, so that
  // a read finds the datasets a write replaces.
  if (Bytes(segmentBytes, 3, std::ssize(kPhotoshopSignature)) == kPhotoshopSignature) {
    const tResourceRun run =
        ReadImageResources(segmentBytes.substr(2 + kPhotoshopSignature.size()));
    const auto iptc =
        std::find_if(run.resources.begin(), run.resources.end(),
                     [](const tResourceView& r) { return r.IsPhotoshops(kIptcResource); });
    if (iptc != run.resources.end()) {
      if (const auto datasets = ParseIimDatasets(iptc->data)) {
        const bool utf8 = DeclaresUtf8(*datasets);
        for (const tDataset& d : *datasets) {
          if (d.record == 2 || d.record == 8)
            AddDataset(EntryOf(d.record, d.number, d.value, utf8), lists);
        }
        finish();
        return;
      }
    }
  }
  // Anything else, a damaged block or bare datasets: the 8BIM resource headers are not
  // interpreted, and the first 0x1C 0x02 or 0x1C 0x08 pair after the signature starts the
  // dataset stream, in whatever resource it stands.
  const std::string_view buffer = segmentBytes;
  const auto size = static_cast<std::int64_t>(buffer.size());
  std::int64_t i = FindBytes(buffer, "Photoshop 3.0") + 13;
  const std::int64_t signatureEnd = i;
  while (i < size &&
         !(Byte(buffer, i) == 0x1C && (Byte(buffer, i + 1) == 2 || Byte(buffer, i + 1) == 8))) {
    ++i;
  }
  if (i >= size) return;
  // The character set is declared in the envelope record, which comes before the stream; a
  // declaration further on belongs to other bytes (another block, a resource's data).
  const std::int64_t declaration = FindBytes(buffer, kUtf8Declaration, signatureEnd);
  const bool utf8 = declaration != 0 && declaration < i;
  std::int64_t pos = i + 1;
  while (pos < size - 2) AddDataset(ReadDataset(buffer, pos, utf8), lists);
  finish();
}

// Merges one keyword or category dataset as AddListValue does, but keeps the items of each
// list apart until the end, so that a block of thousands of keywords takes linear time.
void TIPTCdata::AddListDataset(const TTagEntry& entry, std::map<std::string, tListRow>& lists) {
  const std::string key = AsciiLowerCase(entry.ShortName);
  auto found = lists.find(key);
  if (found == lists.end()) {
    const std::int32_t t = TableIndexOfName(entry.ShortName);
    if (t < 0) return;  // "Custom_" names of other records cannot be added
    TTagEntry row = EntryFromRow(kIptcTags[static_cast<std::size_t>(t)]);
    if (AppendEntry(row) < 0 || row.TagNumber == 0) return;
    found = lists.emplace(key, tListRow{Count() - 1, {}, {}}).first;
  } else if (entry.DisplayValue.empty()) {
    return;
  }
  // A dataset holds one item, which may itself contain a comma.
  for (const std::string& item : SplitCommaList(QuoteListItem(entry.DisplayValue))) {
    const std::string trimmed(TrimBlanks(item));
    if (found->second.seen.insert(AsciiLowerCase(trimmed)).second)
      found->second.items.push_back(trimmed);
  }
}

}  // namespace dux
