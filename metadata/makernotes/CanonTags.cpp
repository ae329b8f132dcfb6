#include "metadata/makernotes/MakerNoteTables.h"

#include "metadata/tiff/TagRows.h"

#include "metadata/makernotes/MakerNoteFormatters.h"

namespace dux {

// The rows stand as they are, missing commas, "=" for ":" and odd labels included: texts
// that users and their scripts already hold depend on them.
constexpr tTagRow kCanonRows[] = {
    {.TagNumber = 0x0000, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0001,
     .ShortName = "ExposureInfo1",
     .Description = "ExposureInfo1",
     .FormatterWithContext = &ListCameraSettings},
    {.TagNumber = 0x0002, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0003, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0004,
     .ShortName = "ExposureInfo2",
     .Description = "ExposureInfo2",
     .FormatterWithContext = &ListShotInfo},
    {.TagNumber = 0x0006, .ShortName = "ImageType", .Description = "ImageType"},
    {.TagNumber = 0x0007, .ShortName = "FirmwareVersion", .Description = "FirmwareVersion"},
    {.TagNumber = 0x0008, .ShortName = "ImageNumber", .Description = "ImageNumber"},
    {.TagNumber = 0x0009, .ShortName = "OwnerName", .Description = "OwnerName"},
    {.TagNumber = 0x000A, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x000B, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x000C, .ShortName = "CameraSerialNumber", .Description = "CameraSerialNumber"},
    {.TagNumber = 0x000D, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x000E, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x000F,
     .ShortName = "CustomFunctions",
     .Description = "CustomFunctions",
     .FormatterWithContext = &ListCustomFunctions},
    {.TagNumber = 0x0010, .ShortName = "Skip", .Description = "Skip"},
    // The newer bodies' records: the focus distance, the lens by name, the serial number that
    // the body itself keeps.
    {.TagNumber = 0x0093,
     .ShortName = "FileInfo",
     .Description = "FileInfo",
     .FormatterWithContext = &ListFileInfo},
    {.TagNumber = 0x0095, .ShortName = "Lens", .Description = "Lens"},
    {.TagNumber = 0x0096,
     .ShortName = "InternalSerialNumber",
     .Description = "InternalSerialNumber"},
};

static_assert(AreRowsAscending(kCanonRows), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kCanonTable = kCanonRows;

}  // namespace dux
