#include "metadata/makernotes/MakerNoteTables.h"

#include "metadata/tiff/TagRows.h"

namespace dux {

// The rows stand as they are, missing commas, "=" for ":" and odd labels included: texts
// that users and their scripts already hold depend on them.
constexpr tTagRow kMinoltaRows[] = {
    {.TagNumber = 0x0000, .ShortName = "ModelID", .Description = "ModelID"},
    {.TagNumber = 0x0E00, .ShortName = "PIMdata", .Description = "PIMdata"},
};

static_assert(AreRowsAscending(kMinoltaRows), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kMinoltaTable = kMinoltaRows;

}  // namespace dux
