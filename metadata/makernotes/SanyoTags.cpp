#include "metadata/makernotes/MakerNoteTables.h"

#include "metadata/tiff/TagRows.h"

namespace dux {

// The rows stand as they are, missing commas, "=" for ":" and odd labels included: texts
// that users and their scripts already hold depend on them.
constexpr tTagRow kSanyoRows[] = {
    {.TagNumber = 0x0200, .ShortName = "Special Mode", .Description = "Special Mode"},
    {.TagNumber = 0x0201, .ShortName = "JpegQuality", .Description = "JpegQuality"},
    {.TagNumber = 0x0202, .ShortName = "Macro", .Description = "Macro"},
    {.TagNumber = 0x0203, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0204, .ShortName = "DigiZoom", .Description = "DigiZoom"},
    {.TagNumber = 0x0F00, .ShortName = "DataDump", .Description = "DataDump"},
};

static_assert(AreRowsAscending(kSanyoRows), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kSanyoTable = kSanyoRows;

}  // namespace dux
