#include "metadata/makernotes/MakerNoteTables.h"
#include "metadata/tiff/TagRows.h"

namespace dux {

// Apple's note in iPhone and iPad photos: how the picture was made; it has no quality or white
// balance, and the lens is EXIF's LensModel.
constexpr tTagRow kAppleRows[] = {
    {.TagNumber = 0x0001, .ShortName = "MakerNoteVersion", .Description = "Maker Note Version"},
    {.TagNumber = 0x0004,
     .ShortName = "AEStable",
     .Description = "AE Stable",
     .ValueCodes = "0:No,1:Yes"},
    {.TagNumber = 0x0007,
     .ShortName = "AFStable",
     .Description = "AF Stable",
     .ValueCodes = "0:No,1:Yes"},
    {.TagNumber = 0x0008, .ShortName = "AccelerationVector", .Description = "Acceleration Vector"},
    {.TagNumber = 0x000A,
     .ShortName = "HDRImageType",
     .Description = "HDR Image Type",
     .ValueCodes = "3:HDR Image,4:Original Image"},
    {.TagNumber = 0x000C, .ShortName = "FocusDistanceRange", .Description = "Focus Distance Range"},
    {.TagNumber = 0x000F, .ShortName = "OISMode", .Description = "OIS Mode"},
    {.TagNumber = 0x0011, .ShortName = "ContentIdentifier", .Description = "Content Identifier"},
    {.TagNumber = 0x0014,
     .ShortName = "ImageCaptureType",
     .Description = "Image Capture Type",
     .ValueCodes = "1:ProRAW,2:Portrait,10:Photo,11:Manual Focus,12:Scene"},
    {.TagNumber = 0x002E,
     .ShortName = "CameraType",
     .Description = "Camera Type",
     .ValueCodes = "0:Back Wide Angle,1:Back Normal,6:Front"},
};

static_assert(AreRowsAscending(kAppleRows), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kAppleTable = kAppleRows;

}  // namespace dux
