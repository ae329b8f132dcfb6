#include "metadata/makernotes/MakerNoteTables.h"

#include "metadata/tiff/TagRows.h"

namespace dux {

// The rows stand as they are, missing commas, "=" for ":" and odd labels included: texts
// that users and their scripts already hold depend on them. Only their order is by tag, so that
// the lookup can bisect (0x2012 before 0x2013: each tag still finds its own row).
constexpr tTagRow kCasioRows1[] = {
    {.TagNumber = 0x0001, .ShortName = "RecordingMode", .Description = "RecordingMode", .ValueCodes = "1:Single Shutter,2:Panorama,3:Night Scene,4:Portrait,5:Landscape"},
    {.TagNumber = 0x0002, .ShortName = "Quality", .Description = "Quality", .ValueCodes = "1:Economy,2:Normal,3:Fine"},
    {.TagNumber = 0x0003, .ShortName = "FocusingMode", .Description = "FocusingMode", .ValueCodes = "2:Macro,3:Auto Focus,4:Manual Focus,5:Infinity"},
    {.TagNumber = 0x0004, .ShortName = "FlashMode", .Description = "FlashMode", .ValueCodes = "1:Auto,2:On,3:Off,4:Red Eye Reduction"},
    {.TagNumber = 0x0005, .ShortName = "FlashIntensity", .Description = "FlashIntensity", .ValueCodes = "11:Weak,13:Normal,15:Strong"},
    {.TagNumber = 0x0006, .ShortName = "ObjectDistance", .Description = "ObjectDistance"},
    {.TagNumber = 0x0007, .ShortName = "WhiteBalance", .Description = "WhiteBalance", .ValueCodes = "1:Auto,2:Tungsten,3:Daylight,4:Fluorescent,5:Shade,129:Manual"},
    {.TagNumber = 0x0008, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0009, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x000A, .ShortName = "DigitalZoom", .Description = "DigitalZoom", .ValueCodes = "65536:Off,65537:2X Digital Zoom"},
    {.TagNumber = 0x000B, .ShortName = "Sharpness", .Description = "Sharpness", .ValueCodes = "0:Normal,1:Soft,2:Hard"},
    {.TagNumber = 0x000C, .ShortName = "Contrast", .Description = "Contrast", .ValueCodes = "0:Normal,1:Low,2:High"},
    {.TagNumber = 0x000D, .ShortName = "Saturation", .Description = "Saturation", .ValueCodes = "0:Normal,1:Low,2:High"},
    {.TagNumber = 0x000E, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x000F, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0010, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0011, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0012, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0013, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0014, .ShortName = "CCDSensitivity", .Description = "CCDSensitivity", .ValueCodes = "64:Normal,125:+1.0,250:+2.0,244:+3.0,80:Normal,100:High"},
    {.TagNumber = 0x0015, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0016, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0017, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0018, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0019, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x001A, .ShortName = "Skip", .Description = "Skip"},
};

constexpr tTagRow kCasioRows2[] = {
    {.TagNumber = 0x0002, .ShortName = "ThumbnailDimensions", .Description = "Thumbnail Dimensions"},
    {.TagNumber = 0x0003, .ShortName = "ThumbnailSize", .Description = "Thumbnail Size"},
    {.TagNumber = 0x0004, .ShortName = "ThumbnailOffset", .Description = "Thumbnail OffSet"},
    {.TagNumber = 0x0008, .ShortName = "Quality", .Description = "Quality", .ValueCodes = "1:Fine,2:Super Fine"},
    {.TagNumber = 0x0009, .ShortName = "ImageSize", .Description = "ImageSize", .ValueCodes = "0:640 x 480,4:1600 x 1200,5:2048 x 1536,20:2288 x 1712,21:2592 x 1944,22:2304 x 1728,36:3008 x 2008"},
    {.TagNumber = 0x000D, .ShortName = "FocusMode", .Description = "FocusMode", .ValueCodes = "0:Normal,1:Macro"},
    {.TagNumber = 0x0014, .ShortName = "IsoSensitivity", .Description = "IsoSensitivity", .ValueCodes = "3:50,4:64,6:100,9:200"},
    {.TagNumber = 0x0019, .ShortName = "WhiteBalance", .Description = "WhiteBalance", .ValueCodes = "0:Auto,1:Daylight,2:Shade,3:Tungsten,4:Fluorescent,5:Manual"},
    {.TagNumber = 0x001D, .ShortName = "FocalLength", .Description = "Focal Length (.1 mm)"},
    {.TagNumber = 0x001F, .ShortName = "Saturation", .Description = "Saturation", .ValueCodes = "0:-1,1:Normal,2:+1"},
    {.TagNumber = 0x0020, .ShortName = "Contrast", .Description = "Contrast", .ValueCodes = "0:-1,1:Normal,2:+1"},
    {.TagNumber = 0x0021, .ShortName = "Sharpness", .Description = "Sharpness", .ValueCodes = "0:-1,1:Normal,2:+1"},
    {.TagNumber = 0x0E00, .ShortName = "PIM", .Description = "\tPrint Image Matching Info"},
    {.TagNumber = 0x2000, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x2001, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x2002, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x2003, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x2011, .ShortName = "WhiteBalanceBias", .Description = "White Balance Bias"},
    {.TagNumber = 0x2012, .ShortName = "WhiteBalance", .Description = "White Balance", .ValueCodes = "0:Manual,1:Auto,4:Flash,12:Flash"},
    {.TagNumber = 0x2013, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x2021, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x2022, .ShortName = "ObjectDistance", .Description = "Object Distance (mm)"},
    {.TagNumber = 0x2023, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x2031, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x2032, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x2033, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x2034, .ShortName = "FlashDistance", .Description = "Flash Distance"},
    {.TagNumber = 0x3000, .ShortName = "RecordMode", .Description = "Record Mode", .ValueCodes = "2:Normal"},
    {.TagNumber = 0x3001, .ShortName = "SelfTimer", .Description = "Self Timer", .ValueCodes = "0:Off,1:On"},
    {.TagNumber = 0x3002, .ShortName = "Quality", .Description = "Quality", .ValueCodes = "1:Economy,2:Normal,3:Fine"},
    {.TagNumber = 0x3003, .ShortName = "FocusMode", .Description = "Focus Mode", .ValueCodes = "1:Fixed,3:Auto Focus,6:Multi-Area Auto Focus"},
    {.TagNumber = 0x3005, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x3006, .ShortName = "TimeZone", .Description = "Time Zone"},
    {.TagNumber = 0x3007, .ShortName = "BestshotMode", .Description = "Bestshot Mode", .ValueCodes = "0:Off,1:On"},
    {.TagNumber = 0x3011, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x3012, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x3013, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x3014, .ShortName = "CCDSensitivity", .Description = "CCD Sensitivity"},
    {.TagNumber = 0x3015, .ShortName = "ColorMode", .Description = "Color Mode", .ValueCodes = "0:Off,1:On"},
    {.TagNumber = 0x3016, .ShortName = "Enhancement", .Description = "Enhancement", .ValueCodes = "0:Off,1:On"},
    {.TagNumber = 0x3017, .ShortName = "Filter", .Description = "Filter", .ValueCodes = "0:Off,1:On"},
    {.TagNumber = 0x3018, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x3019, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x301A, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x301B, .ShortName = "Skip", .Description = "Skip"},
};

static_assert(AreRowsAscending(kCasioRows1), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kCasioTable1 = kCasioRows1;
static_assert(AreRowsAscending(kCasioRows2), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kCasioTable2 = kCasioRows2;

}  // namespace dux
