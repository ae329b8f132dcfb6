#include "metadata/makernotes/MakerNoteTables.h"
#include "metadata/tiff/TagRows.h"

namespace dux {

// Pentax's note (Asahi's and Ricoh Imaging's Pentax bodies too).
constexpr tTagRow kPentaxRows[] = {
    {.TagNumber = 0x0008,
     .ShortName = "PentaxQuality",
     .Description = "Quality",
     .ValueCodes = "0:Good,1:Better,2:Best,3:TIFF,4:RAW,5:Premium,7:RAW (pixel shift enabled),"
                   "8:Dynamic Pixel Shift,9:Monochrome"},
    {.TagNumber = 0x000D,
     .ShortName = "PentaxFocusMode",
     .Description = "Focus Mode",
     .ValueCodes =
         "0:Normal,1:Macro,2:Infinity,3:Manual,4:Super Macro,5:Pan Focus,6:Auto-area,"
         "7:Zone Select,8:Select,9:Pinpoint,10:Tracking,11:Continuous,12:Snap,"
         "16:AF-S (Focus-priority),17:AF-C (Focus-priority),18:AF-A (Focus-priority),"
         "32:Contrast-detect (Focus-priority),33:Tracking Contrast-detect (Focus-priority),"
         "272:AF-S (Release-priority),273:AF-C (Release-priority),"
         "274:AF-A (Release-priority),288:Contrast-detect (Release-priority)"},
    {.TagNumber = 0x0019,
     .ShortName = "PentaxWhiteBalance",
     .Description = "White Balance",
     .ValueCodes = "0:Auto,1:Daylight,2:Shade,3:Fluorescent,4:Tungsten,5:Manual,"
                   "6:Daylight Fluorescent,7:Day White Fluorescent,8:White Fluorescent,9:Flash,"
                   "10:Cloudy,11:Warm White Fluorescent,14:Multi Auto,"
                   "15:Color Temperature Enhancement,17:Kelvin,65534:Unknown,65535:User-Selected"},
    {.TagNumber = 0x003F, .ShortName = "PentaxLensType", .Description = "Lens Type"},
    {.TagNumber = 0x0229, .ShortName = "PentaxSerialNumber", .Description = "Serial Number"},
};

static_assert(AreRowsAscending(kPentaxRows), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kPentaxTable = kPentaxRows;

}  // namespace dux
