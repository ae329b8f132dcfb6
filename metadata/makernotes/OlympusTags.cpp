#include "metadata/makernotes/MakerNoteTables.h"

#include "metadata/tiff/TagRows.h"

namespace dux {

// The body and the lens (the newer notes' equipment directory). Names an EXIF line or an older
// Olympus line has already take the make's name in front.
constexpr tTagRow kOlympusEquipmentRows[] = {
    {.TagNumber = 0x0100, .ShortName = "CameraType2", .Description = "Camera Type"},
    {.TagNumber = 0x0101, .ShortName = "OlympusSerialNumber", .Description = "Serial Number"},
    {.TagNumber = 0x0102,
     .ShortName = "InternalSerialNumber",
     .Description = "Internal Serial Number"},
    {.TagNumber = 0x0103,
     .ShortName = "FocalPlaneDiagonal",
     .Description = "Focal Plane Diagonal",
     .FormatText = "%0.2f mm"},
    {.TagNumber = 0x0202,
     .ShortName = "OlympusLensSerialNumber",
     .Description = "Lens Serial Number"},
    {.TagNumber = 0x0203, .ShortName = "Lens", .Description = "Lens"},
    {.TagNumber = 0x0207,
     .ShortName = "MinFocalLength",
     .Description = "Min Focal Length",
     .FormatText = "%0.0f mm"},
    {.TagNumber = 0x0208,
     .ShortName = "MaxFocalLength",
     .Description = "Max Focal Length",
     .FormatText = "%0.0f mm"},
};
static_assert(AreRowsAscending(kOlympusEquipmentRows),
              "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kOlympusEquipmentTable = kOlympusEquipmentRows;

// How the picture was taken (the newer notes' camera-settings directory).
constexpr tTagRow kOlympusCameraSettingsRows[] = {
    {.TagNumber = 0x0200,
     .ShortName = "OlympusExposureMode",
     .Description = "Exposure Mode",
     .ValueCodes = "1:Manual,2:Program,3:Aperture-priority AE,4:Shutter speed priority AE,"
                   "5:Program-shift"},
    {.TagNumber = 0x0202,
     .ShortName = "OlympusMeteringMode",
     .Description = "Metering Mode",
     .ValueCodes = "2:Center-weighted average,3:Spot,5:ESP,261:Pattern+AF,"
                   "515:Spot+Highlight control,1027:Spot+Shadow control"},
    {.TagNumber = 0x0300,
     .ShortName = "MacroMode",
     .Description = "Macro Mode",
     .ValueCodes = "0:Off,1:On,2:Super Macro"},
    {.TagNumber = 0x0500,
     .ShortName = "WhiteBalance2",
     .Description = "White Balance",
     .ValueCodes = "0:Auto,1:Auto (Keep Warm Color Off),16:7500K (Fine Weather with Shade),"
                   "17:6000K (Cloudy),18:5300K (Fine Weather),20:3000K (Tungsten light),"
                   "21:3600K (Tungsten light-like),22:Auto Setup,23:5500K (Flash),"
                   "33:6600K (Daylight fluorescent),34:4500K (Neutral white fluorescent),"
                   "35:4000K (Cool white fluorescent),36:White Fluorescent,"
                   "48:3600K (Tungsten light-like),67:Underwater,256:One Touch WB 1,"
                   "257:One Touch WB 2,258:One Touch WB 3,259:One Touch WB 4,512:Custom WB 1,"
                   "513:Custom WB 2,514:Custom WB 3,515:Custom WB 4"},
    {.TagNumber = 0x0501,
     .ShortName = "WhiteBalanceTemperature",
     .Description = "White Balance Temperature"},
    {.TagNumber = 0x0520,
     .ShortName = "PictureMode",
     .Description = "Picture Mode",
     .ValueCodes = "1:Vivid,2:Natural,3:Muted,4:Portrait,5:i-Enhance,6:e-Portrait,"
                   "7:Color Creator,8:Underwater,9:Color Profile 1,10:Color Profile 2,"
                   "11:Color Profile 3,12:Monochrome Profile 1,13:Monochrome Profile 2,"
                   "14:Monochrome Profile 3,17:Art Mode,18:Monochrome Profile 4,256:Monotone,"
                   "512:Sepia"},
    {.TagNumber = 0x0603,
     .ShortName = "ImageQuality2",
     .Description = "Image Quality",
     .ValueCodes = "1:SQ,2:HQ,3:SHQ,4:RAW,5:SQ (5)"},
    {.TagNumber = 0x0604,
     .ShortName = "ImageStabilization",
     .Description = "Image Stabilization",
     .ValueCodes = "0:Off,1:On (Mode 1),2:On (Mode 2),3:On (Mode 3),4:On (Mode 4)"},
};
static_assert(AreRowsAscending(kOlympusCameraSettingsRows),
              "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kOlympusCameraSettingsTable = kOlympusCameraSettingsRows;

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
    {.TagNumber = 0x0205,
     .ShortName = "FocalPlaneDiagonal",
     .Description = "Focal Plane Diagonal",
     .FormatText = "%0.2f mm"},
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
    {.TagNumber = 0x2010, .ShortName = "Equipment", .SubTable = &kOlympusEquipmentTable},
    {.TagNumber = 0x2020, .ShortName = "CameraSettings", .SubTable = &kOlympusCameraSettingsTable},
};

static_assert(AreRowsAscending(kOlympusRows), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kOlympusTable = kOlympusRows;

}  // namespace dux
