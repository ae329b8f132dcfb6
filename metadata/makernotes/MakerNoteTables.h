#pragma once

#include <span>

#include "metadata/makernotes/TmsInfo.h"
#include "metadata/tiff/TTagEntry.h"

// The maker-note tag tables, one per camera make and note layout. A row named "Skip" (any letter
// case) hides its tag; a tag missing from a table is listed as "Unknown".
namespace dux {

extern const std::span<const tTagRow> kNikonTable1;
extern const std::span<const tTagRow> kNikonTable2;
extern const std::span<const tTagRow> kOlympusTable;
extern const std::span<const tTagRow> kOlympusEquipmentTable;       // tag 0x2010
extern const std::span<const tTagRow> kOlympusCameraSettingsTable;  // tag 0x2020
extern const std::span<const tTagRow> kCasioTable1;
extern const std::span<const tTagRow> kCasioTable2;
extern const std::span<const tTagRow> kFujifilmTable;
extern const std::span<const tTagRow> kCanonTable;
extern const std::span<const tTagRow> kSeikoTable;
extern const std::span<const tTagRow> kSanyoTable;
extern const std::span<const tTagRow> kMinoltaTable;
extern const std::span<const tTagRow> kSonyTable;
extern const std::span<const tTagRow> kPanasonicTable;
extern const std::span<const tTagRow> kPentaxTable;
extern const std::span<const tTagRow> kAppleTable;
extern const std::span<const tTagRow> kSigmaTable;
extern const std::span<const tTagRow> kRicohTable;
extern const std::span<const tTagRow> kRicohGrTable;
extern const std::span<const tRecordField> kKodakRecord;

}  // namespace dux
