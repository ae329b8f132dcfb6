#include "metadata/makernotes/MakerNoteTables.h"

#include "metadata/tiff/TagRows.h"

namespace dux {

// The rows stand as they are, missing commas, "=" for ":" and odd labels included: texts
// that users and their scripts already hold depend on them.
constexpr tTagRow kFujifilmRows[] = {
    {.TagNumber = 0x0000, .ShortName = "Version", .Description = "Version"},
    {.TagNumber = 0x1000, .ShortName = "Quality", .Description = "Quality"},
    {.TagNumber = 0x1001,
     .ShortName = "Sharpness",
     .Description = "Sharpness",
     .ValueCodes = "1:Soft,2:Soft,3:Normal,4:Hard,5:Hard"},
    {.TagNumber = 0x1002,
     .ShortName = "WhiteBalance",
     .Description = "WhiteBalance",
     .ValueCodes =
         "0:Auto,256:Daylight,512:Cloudy,768:DaylightColor-fluorescence,769:DaywhiteColor-"
         "fluorescence,770:White-fluorescence,1024:Incandenscense,3840:Custom white balance."},
    {.TagNumber = 0x1003,
     .ShortName = "Color",
     .Description = "Color",
     .ValueCodes = "0:Normal,256:High,512:Low"},
    {.TagNumber = 0x1004,
     .ShortName = "Tone",
     .Description = "Tone",
     .ValueCodes = "0:Normal,256:High,512:Low"},
    {.TagNumber = 0x1010,
     .ShortName = "FlashMode",
     .Description = "FlashMode",
     .ValueCodes = "0:Auto,1:On,2:Off,3:Red-eye reduction"},
    {.TagNumber = 0x1011, .ShortName = "FlashStrength", .Description = "FlashStrength"},
    {.TagNumber = 0x1020, .ShortName = "Macro", .Description = "Macro", .ValueCodes = "0:Off,1:On"},
    {.TagNumber = 0x1021,
     .ShortName = "Focusmode",
     .Description = "Focusmode",
     .ValueCodes = "0:Auto Focus,1:Manual Focus"},
    {.TagNumber = 0x1030,
     .ShortName = "SlowSync",
     .Description = "SlowSync",
     .ValueCodes = "0:Off,1:On"},
    {.TagNumber = 0x1031,
     .ShortName = "PictureMode",
     .Description = "PictureMode",
     .ValueCodes =
         "0:Auto,1:Portrait scene,2:Landscape scene,4:Sports scene,5:Night scene,6:Program "
         "AE,256:Aperture prior AE,512:Shutter prior AE,768:Manual exposure"},
    {.TagNumber = 0x1032, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x1100,
     .ShortName = "ContTake/Bracket",
     .Description = "ContTake/Bracket",
     .ValueCodes = "0:Off,1:On"},
    {.TagNumber = 0x1200, .ShortName = "Skip", .Description = "Skip"},
    {.TagNumber = 0x1300,
     .ShortName = "BlurWarning",
     .Description = "BlurWarning",
     .ValueCodes = "0:No blur warning,1:Blur warning"},
    {.TagNumber = 0x1301,
     .ShortName = "FocusWarning",
     .Description = "FocusWarning",
     .ValueCodes = "0:Auto Focus good,1:Out of focus"},
    {.TagNumber = 0x1302,
     .ShortName = "AEWarning",
     .Description = "AEWarning",
     .ValueCodes = "0:AE good,1:Over exposure"},
};

static_assert(AreRowsAscending(kFujifilmRows), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kFujifilmTable = kFujifilmRows;

}  // namespace dux
