#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "metadata/TimgData.h"
#include "metadata/bytes/ByteStream.h"
#include "metadata/exif/TImageInfo.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/TiffBuilder.h"
#include "text/DateTime.h"

namespace dux {
namespace {

using test::Ifd;

// The Part's example picture: a PowerShot S30 at 5.4 mm, 1/60 s, f/2.8, no flash.
Ifd ExampleExif() {
  return Ifd()
      .Rational(0x829A, {1, 60})
      .Rational(0x829D, {28, 10})
      .Ascii(0x9003, "2004:05:06 07:08:10")
      .Short(0x9209, {0x10})
      .Rational(0x920A, {54, 10})
      .Rational(0xA20E, {2272000, 225})
      .Rational(0xA20F, {1704000, 169})
      .Short(0xA210, {2})
      .Long(0xA002, {2272})
      .Long(0xA003, {1704});
}

const Ifd kCanonS30 = Ifd().Ascii(0x010F, "Canon").Ascii(0x0110, "Canon PowerShot S30");

struct tPicture {
  explicit tPicture(const Ifd& exif, const Ifd& ifd0 = kCanonS30,
                    platform::tLocale locale = {'.', "dd.MM.yyyy"})
      : data(BuildMode::kAll, std::move(locale)) {
    Ifd top = ifd0;
    const std::string jpeg =
        "\xFF\xD8" +
        test::Segment(0xE1, std::string("Exif\0\0", 6) + top.Sub(0x8769, exif).Tiff(false));
    MemoryByteStream stream(jpeg);
    data.ScanJpegStream(stream);
    data.ErrStr = "<none>";
    data.fileName = "C:\\photos\\img_0001.jpg";
    data.fileSize = 524288 + 1023;
    data.fileDateTime = DosDateTime(2004, 5, 6, 12, 0, 0);
  }
  // Fails the test, instead of ending the program, when the scan found no EXIF.
  TImageInfo& Info() {
    if (!data.exifInfo) throw std::logic_error("the picture has no EXIF");
    return *data.exifInfo;
  }
  std::string SummaryLong() { return Info().SummaryLong(data.FileFacts(), data.ErrStr); }
  std::string SummaryShort() { return Info().SummaryShort(data.FileFacts(), data.ErrStr); }
  TimgData data;
};

TEST(Summaries, ThePartsExamplePicture) {
  tPicture p(ExampleExif());
  EXPECT_EQ(p.Info().DisplayValueOf("FocalLengthin35mmFilm"), "32.69");
  EXPECT_EQ(p.Info().entries.back().Description, "Focal Length in 35mm Film");
  EXPECT_EQ(p.SummaryLong(),
            "File Name=img_0001.jpg\r\nFile Size=512\r\nFile Date=06.05.2004\r\n"
            "Photo Date=2004:05:06 07:08:10\r\nMake (Model)=Canon (Canon PowerShot S30)\r\n"
            "Dimensions=2272 x 1704\r\nExposure Time=1/60 sec\r\nFocal Length= 5.40 mm\r\n"
            "Focal Length (35mm)=32.69\r\nFNumber=F2.8\r\nFlash=No");
  EXPECT_EQ(p.SummaryShort(), "img_0001.jpg|512|2004:05:06|2272|1704|");
  // In the locale it is given: its decimal separator in every real, its date format.
  tPicture comma(ExampleExif().Rational(0x9201, {8, 1}, true), kCanonS30, {',', "M/d/yyyy"});
  const std::string summary = comma.SummaryLong();
  for (const char* line : {"File Date=5/6/2004\r\n", "Focal Length= 5,40 mm\r\n",
                           "Focal Length (35mm)=32,69\r\n", "FNumber=F2,8\r\n"}) {
    EXPECT_NE(summary.find(line), std::string::npos) << line << " in " << summary;
  }
  EXPECT_EQ(comma.Info().DisplayValueOf("ShutterSpeedValue"), "0,0039 sec (1/256)");
}

TEST(Summaries, FocalLengthIn35mmIsDerivedOnlyWhenTheSensorSizeIsKnown) {
  struct Case {
    const char* what;
    Ifd exif;
    std::string line;  // the summary's 35 mm line, or "" when there is none
    Ifd ifd0 = Ifd().Ascii(0x010F, "NIKON").Ascii(0x0110, "E995");
  };
  const auto base = [] {
    return Ifd()
        .Rational(0x920A, {54, 10})
        .Long(0xA002, {2272})
        .Long(0xA003, {1704})
        .Rational(0xA20E, {2272000, 225});
  };
  for (Case& c : std::vector<Case>{
           {"stored value wins", ExampleExif().Short(0xA405, {35}), "Focal Length (35mm)=35.00 mm"},
           // A Canon's fractions are the sensor's size in thousandths of an inch, whatever
           // unit the file names.
           {"a Canon's fractions", base().Rational(0xA20F, {1704000, 169}).Short(0xA210, {3}),
            "Focal Length (35mm)=32.69", kCanonS30},
           {"centimetres", base().Rational(0xA20F, {1704000, 169}).Short(0xA210, {3}),
            "Focal Length (35mm)=83.03"},
           // As ExifTool derives it: the X resolution stands for a missing Y one, and inches
           // for a missing unit.
           {"no Y resolution", base().Short(0xA210, {2}), "Focal Length (35mm)=32.71"},
           {"no unit at all", base().Rational(0xA20F, {1704000, 169}), "Focal Length (35mm)=32.69"},
           {"no X resolution",
            Ifd().Rational(0x920A, {54, 10}).Long(0xA002, {2272}).Long(0xA003, {1704}), ""},
           // The Exif image size the camera wrote, not the main image's (resized since).
           {"resized",
            base().Rational(0xA20F, {1704000, 169}).Long(0x0100, {640}).Long(0x0101, {480}),
            "Focal Length (35mm)=32.69"},
           {"a strip, not a photo",
            Ifd()
                .Rational(0x920A, {54, 10})
                .Long(0xA002, {2272})
                .Long(0xA003, {500})
                .Rational(0xA20E, {2272000, 225}),
            ""},
           {"no sensor is a metre wide",
            Ifd()
                .Rational(0x920A, {54, 10})
                .Long(0xA002, {2272})
                .Long(0xA003, {1704})
                .Rational(0xA20E, {10, 1}),
            ""},
       }) {
    SCOPED_TRACE(c.what);
    tPicture p(c.exif, c.ifd0);
    const std::string summary = p.SummaryLong();
    if (c.line.empty()) {
      EXPECT_EQ(summary.find("35mm"), std::string::npos);
    } else {
      EXPECT_NE(summary.find(c.line + "\r\n"), std::string::npos) << summary;
    }
  }
}

TEST(Summaries, OptionalLinesAndTheShortFields) {
  tPicture p(Ifd().Rational(0x9201, {8, 1}, true).Short(0x9209, {1}));
  const std::string summary = p.SummaryLong();
  EXPECT_NE(summary.find("\r\nPhoto Date=\r\n"), std::string::npos);
  EXPECT_NE(summary.find("\r\nExposure Time=0.0039 sec (1/256)\r\n"), std::string::npos);
  EXPECT_EQ(summary.find("ISO="), std::string::npos);
  EXPECT_EQ(summary.substr(summary.size() - 11), "\r\nFlash=Yes");
  EXPECT_EQ(p.SummaryShort(), "img_0001.jpg|512||0|0|Flash");
}

TEST(Summaries, AScanErrorTakesTheSummariesErrorForm) {
  tPicture p{Ifd()};
  p.data.ErrStr = "Incorrect Exif header";
  EXPECT_EQ(p.SummaryShort(), "img_0001.jpg Exif Error: Incorrect Exif header");
  EXPECT_EQ(p.SummaryLong(), "File Name: img_0001.jpg\r\nExif Error: Incorrect Exif header");
}

}  // namespace
}  // namespace dux
