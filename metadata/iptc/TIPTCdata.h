#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/iptc/IimDatasets.h"
#include "metadata/iptc/IptcFields.h"
#include "metadata/tiff/TTagEntry.h"

namespace dux {

// One field a write changes: its new text in code page 1252, already cut to the field's limits.
// An empty text removes the field's datasets.
struct tFieldEdit {
  const tIptcFieldRow* field = nullptr;
  std::string text;
};

// How a write treats the XMP packet.
struct tWriteOptions {
  bool createXmp = false;  // a file without an XMP packet gets one
};

// The IPTC datasets of one image: parsed from an APP13 "Photoshop 3.0" section, named through
// the IPTC table, looked up and set by short name, and encoded back into an APP13 payload.
// The keyword and supplemental-category datasets are held as one comma list each.
class TIPTCdata {
 public:
  TIPTCdata() = default;

  std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }
  // A copy of row `index` (0-based, below Count).
  TTagEntry EntryAt(std::int32_t index) const {
    return entries_.at(static_cast<std::size_t>(index));
  }

  // First row whose ShortName equals `name` ignoring letter case; -1 if none.
  std::int32_t IndexOfName(std::string_view name) const;
  // First IPTC-table row of that name; -1 if none.
  static std::int32_t TableIndexOfName(std::string_view name);
  // Appends a copy unless its TagNumber is 0; returns Count() - 1 either way.
  std::int32_t AppendEntry(const TTagEntry& entry);
  // Sets the value of the row of that name (an empty value leaves an existing row unchanged) or
  // appends a row from the table. Returns the row index, -1 for a name the table lacks.
  std::int32_t SetValue(std::string_view name, std::string_view value);
  // Merges the comma list `value` into the row of that name, adding it when absent.
  std::int32_t AddListValue(std::string_view name, std::string_view value);
  // The DisplayValue of the first row of that name, or `defaultValue`.
  std::string ValueOf(std::string_view name, std::string_view defaultValue) const;
  void ClearEntries() { entries_.clear(); }

  // Reads every dataset of an APP13 section (its bytes with the two length bytes). The datasets
  // start at the first 0x1C 0x02 or 0x1C 0x08 after the "Photoshop 3.0" signature. Values of an
  // IPTC block declared as UTF-8 are converted to code page 1252. Never fails: what cannot be
  // read gives fewer rows.
  void ParseSegment(std::string_view segmentBytes);

  // The union of two comma lists, comparing items ignoring letter case.
  static std::string MergeLists(std::string_view existing, std::string_view added);

  // The IIM data of a write: the source's datasets in their order, each edited field's new
  // datasets where its first dataset stood (a field the source lacks joins at the end of its
  // record), every other dataset as it was stored, the record version 2:0 once. New values are
  // written in UTF-8 when the source declares UTF-8, else in code page 1252. A field that is not
  // edited but that this list read a value for without a dataset in `source` (the source could
  // not be split into datasets, or the value came from elsewhere in the block) is written from
  // that value, so that no value read is lost. Padded with one zero byte to even length.
  std::string BuildIim(const std::vector<tDataset>& source,
                       const std::vector<tFieldEdit>& edits) const;

 private:
  // A list field while a parse collects its items: its row, the items, and those seen so far
  // in lower case.
  struct tListRow {
    std::int32_t row = 0;
    std::vector<std::string> items;
    std::set<std::string> seen;
  };
  // The row of one dataset (none for records other than 2 and 8), its value in code page 1252.
  static TTagEntry EntryOf(int record, int dataset, std::string_view value, bool utf8);
  // The dataset at `pos` of a stream read without looking at its 0x1C bytes; `pos` moves on.
  static TTagEntry ReadDataset(std::string_view buffer, std::int64_t& pos, bool utf8);
  void AddDataset(const TTagEntry& entry, std::map<std::string, tListRow>& lists);
  void AddListDataset(const TTagEntry& entry, std::map<std::string, tListRow>& lists);

  std::vector<TTagEntry> entries_;
};

}  // namespace dux
