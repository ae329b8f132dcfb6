#include "metadata/makernotes/MakerNoteFormatters.h"
#include "metadata/makernotes/MakerNoteTables.h"
#include "metadata/tiff/TagRows.h"

namespace dux {

// Sony's note: the settings of the shot; the lens by its number, and by its range and features.
// Names that EXIF lines have already take the make's name in front.
constexpr tTagRow kSonyRows[] = {
    {.TagNumber = 0x0102,
     .ShortName = "SonyQuality",
     .Description = "Quality",
     .ValueCodes = "0:RAW,1:Super Fine,2:Fine,3:Standard,4:Economy,5:Extra Fine,"
                   "6:RAW + JPEG/HEIF,7:Compressed RAW,8:Compressed RAW + JPEG,9:Light"},
    {.TagNumber = 0x0115,
     .ShortName = "SonyWhiteBalance",
     .Description = "White Balance",
     .ValueCodes = "0:Auto,1:Color Temperature/Color Filter,16:Daylight,32:Cloudy,48:Shade,"
                   "64:Tungsten,80:Flash,96:Fluorescent,112:Custom,128:Underwater"},
    {.TagNumber = 0xB020, .ShortName = "CreativeStyle", .Description = "Creative Style"},
    {.TagNumber = 0xB021, .ShortName = "ColorTemperature", .Description = "Color Temperature"},
    {.TagNumber = 0xB026,
     .ShortName = "SonyImageStabilization",
     .Description = "Image Stabilization",
     .ValueCodes = "0:Off,1:On"},
    {.TagNumber = 0xB027, .ShortName = "LensType", .Description = "Lens Type"},
    {.TagNumber = 0xB02A,
     .ShortName = "LensSpec",
     .Description = "Lens",
     .Formatter = &FormatSonyLensSpec},
    {.TagNumber = 0xB042,
     .ShortName = "SonyFocusMode",
     .Description = "Focus Mode",
     .ValueCodes = "1:AF-S,2:AF-C,4:Permanent-AF"},
    {.TagNumber = 0xB047,
     .ShortName = "SonyJPEGQuality",
     .Description = "JPEG Quality",
     .ValueCodes = "0:Standard,1:Fine,2:Extra Fine"},
    {.TagNumber = 0xB049,
     .ShortName = "ReleaseMode",
     .Description = "Release Mode",
     .ValueCodes = "0:Normal,2:Continuous,5:Exposure Bracketing,6:White Balance Bracketing,"
                   "8:DRO Bracketing"},
    {.TagNumber = 0xB04A, .ShortName = "SonySequenceNumber", .Description = "Sequence Number"},
};

static_assert(AreRowsAscending(kSonyRows), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kSonyTable = kSonyRows;

}  // namespace dux
