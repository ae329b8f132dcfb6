#include "metadata/makernotes/MakerNoteTables.h"
#include "metadata/tiff/TagRows.h"

namespace dux {

// Ricoh's note of its own cameras (the Caplio and GR series).
constexpr tTagRow kRicohRows[] = {
    {.TagNumber = 0x0001, .ShortName = "MakerNoteType", .Description = "Maker Note Type"},
    {.TagNumber = 0x0002, .ShortName = "RicohFirmwareVersion", .Description = "Firmware Version"},
    {.TagNumber = 0x0005, .ShortName = "RicohSerialNumber", .Description = "Serial Number"},
    {.TagNumber = 0x1000,
     .ShortName = "RecordingFormat",
     .Description = "Recording Format",
     .ValueCodes = "2:JPEG,3:DNG"},
};

static_assert(AreRowsAscending(kRicohRows), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kRicohTable = kRicohRows;

// The GR's note (the years its make was Pentax Ricoh Imaging): the same first tags, then its
// shot settings in tags the Caplios use otherwise.
constexpr tTagRow kRicohGrRows[] = {
    {.TagNumber = 0x0001, .ShortName = "MakerNoteType", .Description = "Maker Note Type"},
    {.TagNumber = 0x0002, .ShortName = "RicohFirmwareVersion", .Description = "Firmware Version"},
    {.TagNumber = 0x0005, .ShortName = "RicohSerialNumber", .Description = "Serial Number"},
    {.TagNumber = 0x1000,
     .ShortName = "RecordingFormat",
     .Description = "Recording Format",
     .ValueCodes = "2:JPEG,3:DNG"},
    {.TagNumber = 0x1001,
     .ShortName = "RicohExposureProgram",
     .Description = "Exposure Program",
     .ValueCodes = "1:Auto,2:Program AE,3:Aperture-priority AE,4:Shutter speed priority AE,"
                   "5:Shutter/aperture priority AE,6:Manual,7:Movie"},
    {.TagNumber = 0x1002,
     .ShortName = "RicohDriveMode",
     .Description = "Drive Mode",
     .ValueCodes = "0:Single-frame,1:Continuous,8:AF-priority Continuous"},
    {.TagNumber = 0x1003,
     .ShortName = "RicohWhiteBalance",
     .Description = "White Balance",
     .ValueCodes = "0:Auto,1:Multi-P Auto,2:Daylight,3:Cloudy,4:Incandescent 1,5:Incandescent 2,"
                   "6:Daylight Fluorescent,7:Neutral White Fluorescent,8:Cool White Fluorescent,"
                   "9:Warm White Fluorescent,10:Manual,11:Kelvin,12:Shade"},
    {.TagNumber = 0x1006,
     .ShortName = "RicohFocusMode",
     .Description = "Focus Mode",
     .ValueCodes = "1:Manual,2:Multi AF,3:Spot AF,4:Snap,5:Infinity,7:Face Detect,"
                   "8:Subject Tracking,9:Pinpoint AF,10:Movie"},
};

static_assert(AreRowsAscending(kRicohGrRows), "FindRow bisects: keep the rows in tag order");
const std::span<const tTagRow> kRicohGrTable = kRicohGrRows;

}  // namespace dux
