#include <algorithm>
#include <string>

#include "metadata/iptc/IimDatasets.h"
#include "metadata/iptc/IptcTags.h"
#include "metadata/iptc/TIPTCdata.h"
#include "text/AsciiText.h"
#include "text/CommaList.h"
#include "text/Cp1252.h"

namespace dux {
namespace {

// The record version dataset every block starts its record 2 with: 2:0, version 2.
const tDataset kRecordVersion{2, 0, std::string("\x00\x02", 2), {}};

bool Owns(const tIptcFieldRow& field, const tDataset& d) {
  return d.record == field.Record && d.number == field.Dataset;
}

// Whether `edits` changes the field.
bool Edits(const std::vector<tFieldEdit>& edits, const tIptcFieldRow& field) {
  return std::any_of(edits.begin(), edits.end(),
                     [&field](const tFieldEdit& e) { return e.field == &field; });
}

// The new datasets of an edited field: one per list item, else one; none for an empty text.
std::vector<tDataset> NewDatasets(const tIptcFieldRow& field, std::string_view text, bool utf8) {
  std::vector<tDataset> out;
  if (text.empty()) return out;
  const auto add = [&](std::string_view value) {
    out.push_back(
        {field.Record, field.Dataset, utf8 ? Cp1252ToUtf8(value) : std::string(value), {}});
  };
  if (!field.IsList) {
    add(text);
    return out;
  }
  std::vector<std::string> items = SplitCommaList(text);
  // A final comma ends the list; it does not add an empty item.
  const std::string_view trimmed = TrimRightBlanks(text);
  if (!items.empty() && items.back().empty() && !trimmed.empty() && trimmed.back() == ',')
    items.pop_back();
  for (const std::string& item : items) add(item);
  return out;
}

}  // namespace

std::string TIPTCdata::BuildIim(const std::vector<tDataset>& source,
                                const std::vector<tFieldEdit>& edits) const {
  const bool utf8 = DeclaresUtf8(source);
  // What each field becomes: the edited ones, and the ones read without a dataset to keep.
  std::vector<std::pair<const tIptcFieldRow*, std::vector<tDataset>>> replaced;
  for (const tFieldEdit& edit : edits)
    replaced.emplace_back(edit.field, NewDatasets(*edit.field, edit.text, utf8));
  for (const tIptcFieldRow& field : kIptcFields) {
    const bool edited = Edits(edits, field);
    const bool stored = std::any_of(source.begin(), source.end(),
                                    [&](const tDataset& d) { return Owns(field, d); });
    const std::string read = ValueOf(field.Field, "");
    if (!edited && !stored && !read.empty())
      replaced.emplace_back(&field, NewDatasets(field, read, utf8));
  }
  std::vector<tDataset> out;
  std::vector<bool> placed(replaced.size(), false);
  bool version = false;
  for (const tDataset& d : source) {
    if (d.record == 2 && d.number == 0) {  // the record version, once
      if (!version) out.push_back(d);
      version = true;
      continue;
    }
    const auto owner = std::find_if(replaced.begin(), replaced.end(),
                                    [&](const auto& r) { return Owns(*r.first, d); });
    if (owner == replaced.end()) {
      out.push_back(d);
    } else if (!placed[static_cast<std::size_t>(owner - replaced.begin())]) {
      out.insert(out.end(), owner->second.begin(), owner->second.end());
      placed[static_cast<std::size_t>(owner - replaced.begin())] = true;
    }
  }
  // Fields the source lacks join at the end of their record, before any dataset of a later one.
  const auto endOfRecord = [&out](int record) {
    return std::find_if(out.begin(), out.end(),
                        [record](const tDataset& d) { return d.record > record; });
  };
  for (std::size_t i = 0; i < replaced.size(); ++i) {
    if (placed[i]) continue;
    out.insert(endOfRecord(replaced[i].first->Record), replaced[i].second.begin(),
               replaced[i].second.end());
  }
  if (!version) {
    out.insert(
        std::find_if(out.begin(), out.end(), [](const tDataset& d) { return d.record >= 2; }),
        kRecordVersion);
  }
  std::string iim;
  for (const tDataset& d : out) iim += DatasetBytes(d);
  if (iim.size() % 2 != 0) iim += '\0';  // keeps the resource, and the next one, at even length
  return iim;
}

}  // namespace dux
