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

// The LensSpecification tag's text in a locale with a decimal comma.
std::string LensWithComma(std::string_view text) {
  PlainContext context(',');
  return FormatLensSpecification(text, context);
}

std::string Lens(std::string_view text) {
  PlainContext context('.');
  return FormatLensSpecification(text, context);
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
           // As lens makers print them (and ExifTool): a prime lens gives one focal length,
           // an unknown value is "?".
           Case{&Lens, "24/1, 70/1, 28/10, 28/10", "24-70 mm f/2.8"},
           Case{&Lens, "18/1, 55/1, 35/10, 56/10", "18-55 mm f/3.5-5.6"},
           Case{&Lens, "35/1, 35/1, 14/10, 14/10", "35 mm f/1.4"},
           Case{&Lens, "50/1, 0/1, 18/10, 0/1", "50 mm f/1.8"},  // a prime with zeros
           Case{&Lens, "0/0, 0/0, 0/0, 0/0", "? mm f/?"},
           Case{&Lens, "18/1, 35/1, 0/1, 0/1", "18-35 mm f/0"},  // a zero as the lens gave it
           Case{&Lens, "100/1, 400/1, 45/10, 0/0", "100-400 mm f/4.5"},
           Case{&Lens, "4200/1000, 4200/1000, 22/10, 22/10", "4.2 mm f/2.2"},
           Case{&LensWithComma, "18/1, 55/1, 35/10, 56/10", "18-55 mm f/3,5-5,6"},
           Case{&Lens, "24/1, 70/1, 28/10", "24/1, 70/1, 28/10"},  // not four: as it is
           Case{&FormatVersionNumbers, "2, 3, 0, 0", "2.3.0.0"},
           Case{&FormatVersionNumbers, "2", "2"},
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
  EXPECT_EQ(LookupTagRow(0x001E, kGpsDirectory)->ShortName, "GPSDifferential");
  EXPECT_EQ(LookupTagRow(0x0000, kGpsDirectory)->ShortName, "GPSVersionID");  // a row, tag 0
  EXPECT_FALSE(LookupTagRow(0x1234, kMainDirectory));
  EXPECT_FALSE(LookupTagRow(0x829A, 3));
  EXPECT_EQ(LookupTagRow(0xA420, kThumbnailDirectory)->ShortName, "ImageUniqueID");
  EXPECT_EQ(LookupTagRow(0xA405, kMainDirectory)->Description, "Focal Length in 35mm Film");
  EXPECT_EQ(LookupTagRow(0x0001, kMainDirectory)->Description, "Interoperability Index");
  EXPECT_EQ(ExifTableIndexOfName("focallengthIN35MMfilm"), IndexOfTagInTable(0xA405, kExifTags));
  EXPECT_EQ(ExifTableIndexOfName("Unknown"), -1);  // the sentinel is not searched by name
}

// The texts whose type does not say how they are encoded, as a file holds them.
TEST(ExifFormatters, TextsInTheirOwnEncodingsBecomeCodePage1252) {
  using namespace std::string_literals;
  struct Case {
    std::string raw;
    tTextKind kind;
    bool bigEndian;
    std::string expected;
  };
  for (const Case& c : {
           Case{"ASCII\0\0\0Hello"s, tTextKind::kWithCharacterCode, false, "Hello"},
           // the whole text, when no zero byte ends it
           Case{"ASCII\0\0\0Value"s, tTextKind::kWithCharacterCode, false, "Value"},
           Case{"ASCII\0\0\0caf\xC3\xA9  \0\0"s, tTextKind::kWithCharacterCode, false, "caf\xE9"},
           Case{"\0\0\0\0\0\0\0\0  \0\0"s, tTextKind::kWithCharacterCode, false, ""},
           // UTF-16 in the order its zero bytes show, whatever the file's order
           Case{"UNICODE\0H\0\xE9\0!\0"s, tTextKind::kWithCharacterCode, true, "H\xE9!"},
           Case{"UNICODE\0\0H\0\xE9\0!"s, tTextKind::kWithCharacterCode, false, "H\xE9!"},
           Case{"UNICODE\0\x20\xAC\x4E\x2D"s, tTextKind::kWithCharacterCode, true, "\x80?"},
           Case{"Set: 1\r\nX"s, tTextKind::kWithCharacterCode, false, "Set: 1\r\nX"},
           Case{"T\0\xEF\0t\0\0\0junk"s, tTextKind::kUcs2LittleEndian, true, "T\xEFt"},
           Case{"\x3D\xD8\x00\xDE"s + "a\0"s, tTextKind::kUcs2LittleEndian, false, "?a"},  // a pair
       }) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(DecodedText(c.raw, c.kind, c.bigEndian), c.expected);
  }
  EXPECT_FALSE(DecodedText("text", tTextKind::kByType, false));
}

}  // namespace
}  // namespace dux
