#pragma once

#include <span>

#include "metadata/tiff/TTagEntry.h"

// The lookup of the constant tag tables: bisection over rows that ascend strictly by
// (RecordNumber, TagNumber). Each table checks that order with a static_assert beside its rows.
// The EXIF and GPS tables, looked up for every directory entry, also keep their tag numbers
// apart and bisect those (ExifTags.cpp), which finds the same rows.
namespace dux {

constexpr bool RowBefore(const tTagRow& row, int record, int tag) noexcept {
  return row.RecordNumber < record || (row.RecordNumber == record && row.TagNumber < tag);
}

// True when every row comes strictly after the one before it: no tag twice, none out of order.
constexpr bool AreRowsAscending(std::span<const tTagRow> rows) noexcept {
  for (std::size_t i = 1; i < rows.size(); ++i) {
    if (!RowBefore(rows[i - 1], rows[i].RecordNumber, rows[i].TagNumber)) return false;
  }
  return true;
}

// The index of the row of `tag` (in IPTC tables, of record:tag) in ascending rows; -1 if none.
constexpr int FindRow(std::span<const tTagRow> rows, int tag, int record = 0) noexcept {
  std::size_t low = 0, high = rows.size();
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (RowBefore(rows[middle], record, tag)) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low < rows.size() && rows[low].RecordNumber == record && rows[low].TagNumber == tag
             ? static_cast<int>(low)
             : -1;
}

}  // namespace dux
