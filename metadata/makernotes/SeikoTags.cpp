#include "metadata/makernotes/MakerNoteTables.h"

#include "metadata/tiff/TagRows.h"

namespace dux {

// The rows stand as they are, missing commas, "=" for ":" and odd labels included: texts
// that users and their scripts already hold depend on them.
constexpr tTagRow kSeikoRows[] = {
    {.TagNumber = 0x0200, .ShortName = "Special Mode", .Description = "Special Mode"},
    {.TagNumber = 0x0201, .ShortName = "JpegQuality", .Description = "JpegQuality"},
    {.TagNumber = 0x0202, .ShortName = "Macro", .Description = "Macro"},
    {.TagNumber = 0x0203, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0204, .ShortName = "DigiZoom", .Description = "DigiZoom"},
    {.TagNumber = 0x0209, .ShortName = "CameraID", .Description = "CameraID"},
    {.TagNumber = 0x020A, .ShortName = "Comments", .Description = "Comments"},
    {.TagNumber = 0x020B, .ShortName = "Width", .Description = "Width"},
    {.TagNumber = 0x020C, .ShortName = "Height", .Description = "Height"},
    {.TagNumber = 0x020D, .ShortName = "SoftRelease", .Description = "SoftRelease"},
    {.TagNumber = 0x0300, .ShortName = "??", .Description = "??"},
    {.TagNumber = 0x0F00, .ShortName = "skip", .Description = "skip"},
};

static_assert(AreRowsAscending(kSeikoRows), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kSeikoTable = kSeikoRows;

}  // namespace dux
