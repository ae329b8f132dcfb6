#include "metadata/makernotes/MakerNoteTables.h"
#include "metadata/tiff/TagRows.h"

namespace dux {

// Panasonic's (and Leica's compact cameras') note.
constexpr tTagRow kPanasonicRows[] = {
    {.TagNumber = 0x0001,
     .ShortName = "ImageQuality",
     .Description = "Image Quality",
     .ValueCodes = "1:TIFF,2:High,3:Normal,6:Very High,7:RAW,9:Motion Picture,"
                   "11:Full HD Movie,12:4k Movie"},
    {.TagNumber = 0x0002,
     .ShortName = "PanasonicFirmwareVersion",
     .Description = "Firmware Version"},
    {.TagNumber = 0x0003,
     .ShortName = "PanasonicWhiteBalance",
     .Description = "White Balance",
     .ValueCodes = "1:Auto,2:Daylight,3:Cloudy,4:Incandescent,5:Manual,8:Flash,10:Black & White,"
                   "11:Manual 2,12:Shade,13:Kelvin,14:Manual 3,15:Manual 4,19:Auto (cool)"},
    {.TagNumber = 0x0007,
     .ShortName = "PanasonicFocusMode",
     .Description = "Focus Mode",
     .ValueCodes = "1:Auto,2:Manual,4:Auto; Focus button,5:Auto; Continuous,6:AF-S,7:AF-C,"
                   "8:AF-F"},
    {.TagNumber = 0x001A,
     .ShortName = "PanasonicImageStabilization",
     .Description = "Image Stabilization",
     .ValueCodes = "2:On; Optical,3:Off,4:On; Mode 2,5:On; Optical Panning,6:On; Body-only,"
                   "7:On; Body-only Panning,9:Dual IS,10:Dual IS Panning,11:Dual2 IS,"
                   "12:Dual2 IS Panning"},
    {.TagNumber = 0x0025,
     .ShortName = "PanasonicInternalSerialNumber",
     .Description = "Internal Serial Number"},
    {.TagNumber = 0x0051, .ShortName = "PanasonicLens", .Description = "Lens"},
    {.TagNumber = 0x0052,
     .ShortName = "PanasonicLensSerialNumber",
     .Description = "Lens Serial Number"},
};

static_assert(AreRowsAscending(kPanasonicRows), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kPanasonicTable = kPanasonicRows;

}  // namespace dux
