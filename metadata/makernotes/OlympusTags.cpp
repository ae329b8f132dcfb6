#include "metadata/makernotes/MakerNoteTables.h"

#include "metadata/tiff/TagRows.h"

namespace dux {

// The rows stand as they are, missing commas, "=" for ":" and odd labels included: texts
// that users and their scripts already hold depend on them.
constexpr tTagRow kOlympusRows[] = {
    {.TagNumber = 0x0200, .ShortName = "SpecialMode", .Description = "SpecialMode"},
    {.TagNumber = 0x0201,
     .ShortName = "JpegQual",
     .Description = "JpegQual",
     .ValueCodes = "1:SQ,2:HQ,3:SHQ,4:Raw"},
    {.TagNumber = 0x0202,
     .ShortName = "Macro",
     .Description = "Macro",
     .ValueCodes = "0=Normal,1:Macro;"},
    {.TagNumber = 0x0203, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0204, .ShortName = "DigiZoom", .Description = "Digital Zoom Ratio"},
    {.TagNumber = 0x0205, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0206, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x0207, .ShortName = "Firmware", .Description = "Firmware"},
    {.TagNumber = 0x0208, .ShortName = "PictInfo", .Description = "Picture Info"},
    {.TagNumber = 0x0209, .ShortName = "CameraID", .Description = "Camera ID"},
    {.TagNumber = 0x0F00, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x1004, .ShortName = "FlashMode", .Description = "Flash Mode"},
    {.TagNumber = 0x1006, .ShortName = "Bracket", .Description = "Bracket"},
    {.TagNumber = 0x100B, .ShortName = "FocusMode", .Description = "Focus Mode"},
    {.TagNumber = 0x100C, .ShortName = "FocusDistance", .Description = "Focus Distance"},
    {.TagNumber = 0x100D, .ShortName = "Zoom", .Description = "Zoom"},
    {.TagNumber = 0x100E, .ShortName = "MacroFocus", .Description = "Macro Focus"},
    {.TagNumber = 0x100F, .ShortName = "Sharpness", .Description = "Sharpness"},
    {.TagNumber = 0x1011, .ShortName = "ColorMatrix", .Description = "Color Matrix"},
    {.TagNumber = 0x1012, .ShortName = "BlackLevel", .Description = "Black Level"},
    {.TagNumber = 0x1015, .ShortName = "WhiteBalance", .Description = "White Balance"},
    {.TagNumber = 0x1017, .ShortName = "RedBias", .Description = "Red Bias"},
    {.TagNumber = 0x1018, .ShortName = "BlueBias", .Description = "Blue Bias"},
    {.TagNumber = 0x101A, .ShortName = "SerialNumber", .Description = "SerialNumber"},
    {.TagNumber = 0x1023, .ShortName = "FlashBias", .Description = "Flash Bias"},
    {.TagNumber = 0x1029, .ShortName = "Contrast", .Description = "Contrast"},
    {.TagNumber = 0x102A, .ShortName = "SharpnessFactor", .Description = "Sharpness Factor"},
    {.TagNumber = 0x102B, .ShortName = "ColorControl", .Description = "Color Control"},
    {.TagNumber = 0x102C, .ShortName = "ValidBits", .Description = "Valid Bits"},
    {.TagNumber = 0x102D, .ShortName = "Coring", .Description = "Coring Filter"},
    {.TagNumber = 0x102E, .ShortName = "FinalWidth", .Description = "Final Width"},
    {.TagNumber = 0x102F, .ShortName = "FinalHeight", .Description = "Final Height"},
    {.TagNumber = 0x1034, .ShortName = "CompressionRatio", .Description = "Compression Ratio"},
};

static_assert(AreRowsAscending(kOlympusRows), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kOlympusTable = kOlympusRows;

}  // namespace dux
