#include "metadata/makernotes/MakerNoteTables.h"

namespace dux {

// Kodak's "KDK" note: fields at fixed places after its 8-byte header.
constexpr tRecordField kKodakFields[] = {
    {.offset = 0x00, .size = 8, .text = true, .name = "KodakModel", .label = "Kodak Model"},
    {.offset = 0x09, .name = "KodakQuality", .label = "Quality", .codes = "1:Fine,2:Normal"},
    {.offset = 0x0A, .name = "BurstMode", .label = "Burst Mode", .codes = "0:Off,1:On"},
    {.offset = 0x0C, .size = 2, .name = "KodakImageWidth", .label = "Image Width"},
    {.offset = 0x0E, .size = 2, .name = "KodakImageHeight", .label = "Image Height"},
    {.offset = 0x1B,
     .name = "ShutterMode",
     .label = "Shutter Mode",
     .codes = "0:Auto,8:Aperture Priority,32:Manual?"},
    {.offset = 0x1C,
     .name = "KodakMeteringMode",
     .label = "Metering Mode",
     .codes = "0:Multi-segment,1:Center-weighted average,2:Spot"},
    {.offset = 0x1D, .name = "KodakSequenceNumber", .label = "Sequence Number"},
    {.offset = 0x1E, .size = 2, .name = "KodakFNumber", .label = "FNumber", .divisor = 100},
    {.offset = 0x20,
     .size = 4,
     .name = "KodakExposureTime",
     .label = "Exposure Time",
     .divisor = 1e5},
    {.offset = 0x38, .name = "KodakFocusMode", .label = "Focus Mode", .codes = "0:Normal,2:Macro"},
    {.offset = 0x40,
     .name = "KodakWhiteBalance",
     .label = "White Balance",
     .codes = "0:Auto,1:Flash?,2:Tungsten,3:Daylight"},
    {.offset = 0x5D, .name = "FlashFired", .label = "Flash Fired", .codes = "0:No,1:Yes"},
    {.offset = 0x60, .size = 2, .name = "KodakISO", .label = "ISO"},
};

const std::span<const tRecordField> kKodakRecord = kKodakFields;

}  // namespace dux
