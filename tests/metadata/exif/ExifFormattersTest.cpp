#include "metadata/exif/ExifFormatters.h"

#include <gtest/gtest.h>

#include "metadata/exif/ExifTags.h"

namespace dux {
namespace {

class PlainContext final : public FormatContext {
 public:
  using FormatContext::FormatContext;
  void AddValue(std::string_view, std::string_view) override {}
};

// The shutter speed in a locale with a full stop.
std::string ShutterSpeed(std::string_view text) {
  PlainContext context('.');
  return FormatShutterSpeed(text, context);
}

TEST(ExifFormatters, GiveThePartsExamples) {
  struct Case {
    TextFormatter formatter;
    std::string input, expected;
  };
  for (const Case& c : {
           Case{&FormatComponents, std::string("\"\x01\x02\x03\"", 5), "YCbCr"},
           Case{&FormatComponents, std::string("\"\x04\x05\x06\x09\"", 6), "RGB"},
           Case{&FormatComponents, std::string("\"\x01\x02\x03\x04\"", 6),
                "YCbCrR"},  // the fourth code prints too
           Case{&ShutterSpeed, "8/1", "0.0039 sec (1/256)"},
           Case{&ShutterSpeed, "1/1", "0.5000 sec (1/2)"},
           Case{&ShutterSpeed, "0/1", "1.0000 sec"},
           Case{&ShutterSpeed, "-1/1", "2.0000 sec"},
           Case{&ShutterSpeed, "4000/1", "0.0000 sec (1/2147483647)"},
           // what cameras write: 1/400, 1/100, 1/1000 and 1/30 s as APEX fractions, then thirds of
           // a stop and a long exposure
           Case{&ShutterSpeed, "8643856/1000000", "0.0025 sec (1/400)"},
           Case{&ShutterSpeed, "6643856/1000000", "0.0100 sec (1/100)"},
           Case{&ShutterSpeed, "9965784/1000000", "0.0010 sec (1/1000)"},
           Case{&ShutterSpeed, "4906891/1000000", "0.0333 sec (1/30)"},
           Case{&ShutterSpeed, "11/3", "0.0787 sec (1/13)"},
           Case{&ShutterSpeed, "5/3", "0.3150 sec (1/3)"},
           Case{&ShutterSpeed, "-3/2", "2.8284 sec"},
           Case{&ShutterSpeed, "-2000/1", " INF sec"},  // beyond a double's range
           Case{&ShutterSpeed, "1200/1", "0.0000 sec (1/2147483647)"},
           Case{&FormatFlash, "0", "Off"},
           Case{&FormatFlash, "1", "On"},
           Case{&FormatFlash, "25", "On, auto mode"},
           Case{&FormatFlash, "79", "On, strobe return, forced, red-eye reduction"},
           Case{&FormatFlash, "16", "Off, surpressed"},
           Case{&FormatFlash, "34", "Off, UNKNOWN, no flash function"},
           Case{&FormatUserComment, std::string("ASCII\0\0\0Hello", 13), "Hello"},
           Case{&FormatWideText, "84, 0, 105, 0, 116, 0", "Tit"},
           Case{&FormatWideText, "72, 1, 0, 0", "H"},  // low bytes only, zero bytes dropped
           Case{&FormatGpsCoordinate, "50/1, 30/1, 1230/100", "50 Degrees 30 Minutes 12 Seconds"},
           Case{&FormatGpsCoordinate, "50/1, 3075/100, 0/1", "50 Degrees 30 Minutes 45 Seconds"},
           Case{&FormatGpsTime, "14/1, 5/1, 9/1", "14:5:9"},
           Case{&FormatGpsTime, "0/1, 0/1, 0/1", "0:0:0"},
           Case{&FormatGpsTime, "garbage", "0:0:0"},
       }) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(c.formatter(c.input), c.expected);
  }
}

TEST(ExifTags, LabelsAndLookups) {
  struct Case {
    const char* shortName;
    const char* label;
  };
  for (const Case& c :
       {Case{"ExposureTime", "Exposure Time"}, Case{"GPSLatitudeRef", "GPSLatitude Ref"},
        Case{"ISOSpeedRatings", "ISOSpeed Ratings"}, Case{"YCbCrPositioning", "YCb Cr Positioning"},
        Case{"T4Options", "T4 Options"}, Case{"FNumber", "FNumber"},
        Case{"GPSAltitude", "GPSAltitude"}, Case{"ExifImageWidth", "Exif Image Width"}}) {
    EXPECT_EQ(SpacedName(c.shortName), c.label);
  }
  EXPECT_EQ(LookupTagRow(0x001E, kGpsDirectory).ShortName, "GPSDifferential");
  EXPECT_EQ(LookupTagRow(0x0000, kGpsDirectory).TagNumber, 0);  // GPSVersionID counts as unknown
  EXPECT_EQ(LookupTagRow(0x1234, kMainDirectory).ShortName, "Unknown");
  EXPECT_EQ(LookupTagRow(0x829A, 3).TagNumber, 0);
  EXPECT_EQ(LookupTagRow(0xA420, kThumbnailDirectory).ShortName, "ImageUniqueID");
  EXPECT_EQ(LookupTagRow(0xA405, kMainDirectory).Description, "Focal Length in 35mm Film");
  EXPECT_EQ(LookupTagRow(0x0001, kMainDirectory).Description, "Interoperability Index");
  EXPECT_EQ(ExifTableIndexOfName("focallengthIN35MMfilm"), IndexOfTagInTable(0xA405, kExifTags));
  EXPECT_EQ(ExifTableIndexOfName("Unknown"), -1);  // the sentinel is not searched by name
}

}  // namespace
}  // namespace dux
