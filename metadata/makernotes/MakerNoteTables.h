#pragma once

#include <array>

#include "metadata/tiff/TTagEntry.h"

// The maker-note tag tables, one per camera make and note layout. A row named "Skip" (any letter
// case) hides its tag; a tag missing from a table is listed as "Unknown".
namespace dux {

extern const std::array<tTagRow, 11> kNikonTable1;
extern const std::array<tTagRow, 28> kNikonTable2;
extern const std::array<tTagRow, 33> kOlympusTable;
extern const std::array<tTagRow, 26> kCasioTable1;
extern const std::array<tTagRow, 45> kCasioTable2;
extern const std::array<tTagRow, 18> kFujifilmTable;
extern const std::array<tTagRow, 16> kCanonTable;
extern const std::array<tTagRow, 12> kSeikoTable;
extern const std::array<tTagRow, 6> kSanyoTable;
extern const std::array<tTagRow, 2> kMinoltaTable;

}  // namespace dux
