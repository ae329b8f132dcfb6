#include "metadata/makernotes/MakerNoteTables.h"
#include "metadata/tiff/TagRows.h"

namespace dux {

// Sigma's (and Foveon's) note: mostly texts, as the camera words them.
constexpr tTagRow kSigmaRows[] = {
    {.TagNumber = 0x0002, .ShortName = "SigmaSerialNumber", .Description = "Serial Number"},
    {.TagNumber = 0x0003, .ShortName = "SigmaDriveMode", .Description = "Drive Mode"},
    {.TagNumber = 0x0004, .ShortName = "ResolutionMode", .Description = "Resolution Mode"},
    {.TagNumber = 0x0005, .ShortName = "AFMode", .Description = "AF Mode"},
    {.TagNumber = 0x0006, .ShortName = "FocusSetting", .Description = "Focus Setting"},
    {.TagNumber = 0x0007, .ShortName = "SigmaWhiteBalance", .Description = "White Balance"},
    {.TagNumber = 0x0008, .ShortName = "SigmaExposureMode", .Description = "Exposure Mode"},
    {.TagNumber = 0x0009, .ShortName = "SigmaMeteringMode", .Description = "Metering Mode"},
    {.TagNumber = 0x000A, .ShortName = "LensFocalRange", .Description = "Lens Focal Range"},
    {.TagNumber = 0x0016, .ShortName = "SigmaQuality", .Description = "Quality"},
    {.TagNumber = 0x0017, .ShortName = "SigmaFirmware", .Description = "Firmware"},
};

static_assert(AreRowsAscending(kSigmaRows), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kSigmaTable = kSigmaRows;

}  // namespace dux
