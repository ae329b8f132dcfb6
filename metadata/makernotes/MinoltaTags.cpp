#include "metadata/makernotes/MakerNoteTables.h"

#include "metadata/tiff/TagRows.h"

namespace dux {

// The rows stand as they are, missing commas, "=" for ":" and odd labels included: texts
// that users and their scripts already hold depend on them.
constexpr std::array<tTagRow, 2> kMinoltaTable = {{
    {.TagNumber = 0x0000, .ShortName = "ModelID", .Description = "ModelID"},
    {.TagNumber = 0x0E00, .ShortName = "PIMdata", .Description = "PIMdata"},
}};

static_assert(AreRowsAscending(kMinoltaTable), "FindRow bisects: keep the rows in tag order");

}  // namespace dux
