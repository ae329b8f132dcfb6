#include "metadata/makernotes/MakerNoteTables.h"

#include "metadata/tiff/TagRows.h"

#include "metadata/makernotes/MakerNoteFormatters.h"

namespace dux {

// The rows stand as they are, missing commas, "=" for ":" and odd labels included: texts
// that users and their scripts already hold depend on them.
constexpr tTagRow kNikonRows1[] = {
    {.TagNumber = 0x0002, .ShortName = "FamilyID", .Description = "FamilyID"},
    {.TagNumber = 0x0003,
     .ShortName = "Quality",
     .Description = "Quality",
     .ValueCodes = "1:Vga Basic,2:Vga Normal,3:Vga Fine,4:SXGA Basic,5:SXGA Normal,6:SXGA Fine10:2 "
                   "Mpixel Basic,11:2 Mpixel Normal,12:2 Mpixel Fine"},
    {.TagNumber = 0x0004,
     .ShortName = "ColorMode",
     .Description = "ColorMode",
     .ValueCodes = "1:Color,2:Monochrome"},
    {.TagNumber = 0x0005,
     .ShortName = "ImageAdjustment",
     .Description = "ImageAdjustment",
     .ValueCodes = "0:Normal,1:Bright+,2:Bright-,3:Contrast+,4:Contrast-"},
    {.TagNumber = 0x0006,
     .ShortName = "ISOSpeed",
     .Description = "ISOSpeed",
     .ValueCodes = "0:ISO80,2:ISO160,4:ISO320,5:ISO100"},
    {.TagNumber = 0x0007,
     .ShortName = "WhiteBalance",
     .Description = "WhiteBalance",
     .ValueCodes =
         "0:Auto,1:Preset,2:Daylight,3:Incandescense,4:Fluorescence,5:Cloudy,6:SpeedLight"},
    {.TagNumber = 0x0008, .ShortName = "Focus", .Description = "Focus"},
    {.TagNumber = 0x0009, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x000A, .ShortName = "DigitalZoom", .Description = "DigitalZoom"},
    {.TagNumber = 0x000B,
     .ShortName = "Converter",
     .Description = "Converter",
     .ValueCodes = "0:Not used,1:Used"},
    {.TagNumber = 0x0F00, .ShortName = "Skip", .Description = "Skip"},
};

constexpr tTagRow kNikonRows2[] = {
    {.TagNumber = 0x0001, .ShortName = "FamilyID", .Description = "Family ID"},
    {.TagNumber = 0x0002, .ShortName = "ISOSpeed", .Description = "ISO Speed"},
    {.TagNumber = 0x0003, .ShortName = "ColorMode", .Description = "Color Mode"},
    {.TagNumber = 0x0004, .ShortName = "Quality", .Description = "Quality"},
    {.TagNumber = 0x0005, .ShortName = "WhiteBalance", .Description = "White Balance"},
    {.TagNumber = 0x0006, .ShortName = "ImageSharpening", .Description = "Image Sharpening"},
    {.TagNumber = 0x0007, .ShortName = "FocusMode", .Description = "Focus Mode"},
    {.TagNumber = 0x0008, .ShortName = "FlashSetting", .Description = "Flash Setting"},
    {.TagNumber = 0x0009, .ShortName = "AutoFlashMode", .Description = "Auto Flash Mode"},
    {.TagNumber = 0x000A, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x000B, .ShortName = "WhiteBiasValue", .Description = "White Bias Value"},
    {.TagNumber = 0x000F, .ShortName = "DigitalZoom", .Description = "Digital Zoom"},
    {.TagNumber = 0x0010, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0011, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0080, .ShortName = "ImageAdjustment", .Description = "Image Adjustment"},
    {.TagNumber = 0x0081, .ShortName = "ImageAdjustment", .Description = "Image Adjustment"},
    {.TagNumber = 0x0082, .ShortName = "Adapter", .Description = "Adapter"},
    {.TagNumber = 0x0084,
     .ShortName = "LensInformation",
     .Description = "Lens information",
     .FormatterWithContext = &FormatLensRange},
    {.TagNumber = 0x0085,
     .ShortName = "ManualFocusDistance",
     .Description = "Manual Focus Distance"},
    {.TagNumber = 0x0086, .ShortName = "DigitalZoom", .Description = "Digital Zoom"},
    {.TagNumber = 0x0088, .ShortName = "FocusArea", .Description = "Focus Area"},
    {.TagNumber = 0x0089, .ShortName = "Mode", .Description = "Mode"},
    {.TagNumber = 0x008D,
     .ShortName = "ColorMode",
     .Description = "Color Mode",
     .Formatter = &FormatColorModeText},
    {.TagNumber = 0x008F, .ShortName = "SceneMode", .Description = "Scene Mode"},
    {.TagNumber = 0x0092, .ShortName = "HueAdjustment", .Description = "Hue Adjustment"},
    {.TagNumber = 0x0094, .ShortName = "Saturation", .Description = "Saturation"},
    {.TagNumber = 0x0095, .ShortName = "NoiseReduction", .Description = "Noise Reduction"},
    {.TagNumber = 0x0F00, .ShortName = "Skip", .Description = "Skip"},
};

static_assert(AreRowsAscending(kNikonRows1), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kNikonTable1 = kNikonRows1;
static_assert(AreRowsAscending(kNikonRows2), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kNikonTable2 = kNikonRows2;

}  // namespace dux
