#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "metadata/tiff/TTagEntry.h"

namespace dux {

// The 49 IPTC datasets the plug-in names. Row 0 ("SKIP") marks the record version, which is
// recognised and never stored.
extern const std::span<const tTagRow> kIptcTags;

// First row whose ShortName equals `name` ignoring letter case (row 0 included); -1 if none.
int IptcTableIndexOfName(std::string_view name) noexcept;

// First row of record:dataset; -1 if none.
int IptcTableIndexOf(int record, int dataset) noexcept;

// "Custom_<dataset>", the name of a dataset the table lacks (0..255), as a constant text.
std::string_view IptcCustomName(int dataset) noexcept;

// True for the datasets held as one comma list: supplemental category (20) and keywords (25),
// whatever the record.
constexpr bool IsIptcListDataset(int dataset) noexcept { return dataset == 20 || dataset == 25; }

}  // namespace dux
