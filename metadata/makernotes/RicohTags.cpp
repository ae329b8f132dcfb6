#include "metadata/makernotes/MakerNoteTables.h"
#include "metadata/tiff/TagRows.h"

namespace dux {

// Ricoh's note of its own cameras (the Caplio and GR series).
constexpr tTagRow kRicohRows[] = {
    {.TagNumber = 0x0001, .ShortName = "MakerNoteType", .Description = "Maker Note Type"},
    {.TagNumber = 0x0002, .ShortName = "RicohFirmwareVersion", .Description = "Firmware Version"},
    {.TagNumber = 0x0005, .ShortName = "RicohSerialNumber", .Description = "Serial Number"},
    {.TagNumber = 0x1000,
     .ShortName = "RecordingFormat",
     .Description = "Recording Format",
     .ValueCodes = "2:JPEG,3:DNG"},
};

static_assert(AreRowsAscending(kRicohRows), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kRicohTable = kRicohRows;

}  // namespace dux
