#include "metadata/makernotes/TmsInfo.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>

#include "metadata/TimgData.h"
#include "metadata/bytes/ByteStream.h"
#include "metadata/exif/ExifTags.h"
#include "metadata/exif/TImageInfo.h"
#include "metadata/makernotes/MakerNoteFormatters.h"
#include "metadata/makernotes/MakerNoteTables.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/TiffBuilder.h"
#include "text/AsciiText.h"
#include "text/TextFields.h"

namespace dux {
namespace {

using test::Ifd;

std::string Le32(std::uint32_t v) { return test::Bytes32(v, false); }

// A picture whose Exif IFD holds a maker note. The note is made by `note` from its own TIFF
// offset, since most makes count their value offsets from the TIFF header.
struct tNotePicture {
  tNotePicture(const std::string& make, const std::string& model, const std::string& version,
               bool bigEndian, const std::function<std::string(std::uint32_t)>& note) {
    const auto build = [&](std::uint32_t offset) {
      return Ifd()
          .Ascii(0x010F, make)
          .Ascii(0x0110, model)
          .Sub(0x8769, Ifd().Bytes(0x9000, 7, version).Bytes(0x927C, 7, note(offset)))
          .Tiff(bigEndian);
    };
    std::string tiff = build(0);
    const auto offset =
        static_cast<std::uint32_t>(tiff.size() - note(0).size() - (note(0).size() % 2));
    tiff = build(offset);
    jpeg = "\xFF\xD8" + test::Segment(0xE1, std::string("Exif\0\0", 6) + tiff) +
           test::Segment(0xDA, "");
    MemoryByteStream stream(jpeg);
    data.ScanJpegStream(stream);
  }
  // The maker-note entries as "label=value", in order.
  std::vector<std::string> MakerLines() {
    std::vector<std::string> lines;
    TTagEntry entry;
    data.exifInfo->RewindEntries();
    while (data.exifInfo->NextEntryOfTable(EntryTable::kMakerNote, entry))
      lines.push_back(std::string(entry.Description) + "=" + entry.DisplayValue);
    return lines;
  }
  std::string jpeg;
  TimgData data;
};

using Lines = std::vector<std::string>;

TEST(TmsInfo, EachMakeWalksItsTableWithItsLayout) {
  struct Case {
    const char* what;
    std::string make, model, version;
    bool bigEndian;
    std::function<std::string(std::uint32_t)> note;
    Lines expected;
  };
  const Ifd nikon2 = Ifd()
                         .Short(0x0002, {0, 200})
                         .Ascii(0x0004, "FINE")
                         .Rational(0x0084, {18, 1, 70, 1, 35, 10, 45, 10})
                         .Ascii(0x0F00, "skip me");
  const std::vector<Case> cases = {
      {"Nikon with its own TIFF header",
       "NIKON CORPORATION",
       "NIKON D70",
       "0221",
       true,
       [&](std::uint32_t) { return std::string("Nikon\0\2\x10\0\0", 10) + nikon2.Tiff(true); },
       {"ISO Speed=0, 200", "Quality=\"FINE\"", "Lens information=18.0-70.0(mm)  F3.5-F4.5"}},
      {"Nikon type 3 by its header, in a file whose EXIF version is 0210",
       "NIKON CORPORATION",
       "NIKON D1X",
       "0210",
       false,
       [&](std::uint32_t) { return std::string("Nikon\0\2\0\0\0", 10) + nikon2.Tiff(false); },
       {"ISO Speed=0, 200", "Quality=\"FINE\"", "Lens information=18.0-70.0(mm)  F3.5-F4.5"}},
      {"Nikon type 1",
       "NIKON",
       "E900",
       "0210",
       false,
       [](std::uint32_t at) {
         return std::string("Nikon\0\1\0", 8) + Ifd()
                                                    .Short(0x0003, {5})
                                                    .Short(0x0007, {10})
                                                    .Ascii(0x0002, "09.41")
                                                    .Layout(false, at + 8);
       },
       {"Quality=SXGA Normal", "WhiteBalance=", "FamilyID=\"09.41\""}},
      {"Nikon type 1 code 10 lost to a missing comma",
       "NIKON",
       "E900",
       "0100",
       false,
       [](std::uint32_t at) {
         return std::string("Nikon\0\1\0", 8) + Ifd().Short(0x0003, {10}).Layout(false, at + 8);
       },
       {"Quality="}},
      {"Nikon without header",
       "NIKON",
       "E775",
       "0210",
       false,
       [](std::uint32_t at) { return Ifd().Ascii(0x0004, "NORMAL").Layout(false, at); },
       {"Quality=\"NORMAL\""}},
      {"Olympus",
       "OLYMPUS OPTICAL CO.,LTD",
       "C920Z",
       "0210",
       false,
       [](std::uint32_t at) {
         return std::string("OLYMP\0\1\0", 8) + Ifd()
                                                    .Short(0x0201, {2})
                                                    .Short(0x0202, {0})
                                                    .Long(0x0200, {0, 1, 2})
                                                    .Layout(false, at + 8);
       },
       {"JpegQual=HQ", "Macro=", "SpecialMode=0, 1, 2"}},
      {"Olympus with its byte order in the header, offsets from the note, and subdirectories",
       "OLYMPUS IMAGING CORP.",
       "E-P3",
       "0230",
       false,
       [](std::uint32_t) {
         const Ifd equipment = Ifd().Ascii(0x0203, "M.14-42mm").Short(0x0207, {14});
         const Ifd settings = Ifd().Short(0x0500, {17});
         return std::string("OLYMPUS\0II\3\0", 12) + Ifd()
                                                         .Long(0x0200, {0, 0, 0})
                                                         .Sub(0x2010, equipment)
                                                         .Sub(0x2020, settings)
                                                         .Layout(false, 12);
       },
       {"SpecialMode=0, 0, 0", "Lens=\"M.14-42mm\"", "Min Focal Length=14 mm",
        "White Balance=6000K (Cloudy)"}},
      {"Olympus big-endian",
       "OLYMPUS IMAGING CORP.",
       "E-420",
       "0221",
       false,
       [](std::uint32_t) {
         return std::string("OLYMPUS\0MM\0\3", 12) +
                Ifd().Sub(0x2020, Ifd().Short(0x0603, {3})).Layout(true, 12);
       },
       {"Image Quality=SHQ"}},
      {"OM System",
       "OM Digital Solutions",
       "OM-1",
       "0231",
       false,
       [](std::uint32_t) {
         return std::string("OM SYSTEM\0\0\0II\4\0", 16) +
                Ifd().Sub(0x2010, Ifd().Ascii(0x0101, "BHP123")).Layout(false, 16);
       },
       {"Serial Number=\"BHP123\""}},
      {"Casio QVC in a little-endian file: the note is big-endian",
       "CASIO COMPUTER CO.,LTD",
       "QV-R51",
       "0221",
       false,
       [](std::uint32_t at) {
         return std::string("QVC\0\0\0", 6) + Ifd().Short(0x0008, {1}).Layout(true, at + 6);
       },
       {"Quality=Fine"}},
      {"Casio QVC",
       "CASIO COMPUTER CO.,LTD",
       "EX-Z3",
       "0221",
       true,
       [](std::uint32_t at) {
         return std::string("QVC\0\0\0", 6) +
                Ifd().Short(0x0008, {1}).Short(0x3001, {1}).Layout(true, at + 6);
       },
       {"Quality=Fine", "Self Timer=On"}},
      {"Casio type 1",
       "CASIO",
       "QV-3000EX",
       "0210",
       true,
       [](std::uint32_t at) {
         return Ifd().Short(0x0001, {1}).Short(0x0004, {4}).Long(0x0014, {125}).Layout(true, at);
       },
       {"RecordingMode=Single Shutter", "FlashMode=Red Eye Reduction", "CCDSensitivity=+1.0"}},
      {"Fujifilm reads little-endian in a big-endian file",
       "FUJIFILM",
       "FinePixS2Pro",
       "0220",
       true,
       [](std::uint32_t) {
         return "FUJIFILM" + Le32(12) +
                Ifd()
                    .Short(0x1001, {3})
                    .Ascii(0x1000, "NORMAL ")
                    .Short(0x1021, {1})
                    .Layout(false, 12);
       },
       {"Sharpness=Normal", "Quality=\"NORMAL \"", "Focusmode=Manual Focus"}},
      {"Fuji of the older cameras",
       "FUJI PHOTO FILM CO., LTD.",
       "FinePix2400Zoom",
       "0210",
       false,
       [](std::uint32_t) {
         return "FUJIFILM" + Le32(12) + Ifd().Short(0x1001, {3}).Layout(false, 12);
       },
       {"Sharpness=Normal"}},
      {"Sanyo",
       "SANYO Electric Co.,Ltd.",
       "SR6",
       "0210",
       false,
       [](std::uint32_t at) {
         return std::string("SANYO\0\1\0", 8) +
                Ifd().Short(0x0201, {3}).Short(0x0203, {1}).Layout(false, at + 8);
       },
       {"JpegQuality=3"}},
      {"Seiko Epson",
       "SEIKO EPSON CORP.",
       "PhotoPC 3100Z",
       "0210",
       false,
       [](std::uint32_t at) {
         return std::string("EPSON\0\1\0", 8) +
                Ifd().Short(0x020B, {2048}).Short(0x0F00, {1}).Layout(false, at + 8);
       },
       {"Width=2048"}},
      {"Minolta: tag 0 is a row of its own",
       "Minolta Co., Ltd.",
       "Dimage EX",
       "0210",
       false,
       [](std::uint32_t at) {
         return Ifd().Ascii(0x0000, "MLT0").Ascii(0x0E00, "PIM").Layout(false, at);
       },
       {"ModelID=\"MLT0\"", "PIMdata=\"PIM\""}},
      {"Canon: its note in the other byte order",
       "Canon",
       "Canon PowerShot S30",
       "0210",
       true,
       [](std::uint32_t at) { return Ifd().Ascii(0x0006, "IMG:JPEG").Layout(false, at); },
       {"ImageType=\"IMG:JPEG\""}},
      // The makes added since: each layout, with a value placed past the directory.
      {"Sony DSC",
       "SONY",
       "DSC-RX100",
       "0230",
       false,
       [](std::uint32_t at) {
         return std::string("SONY DSC \0\0\0", 12) +
                Ifd().Long(0x0102, {2}).Ascii(0xB020, "Standard").Layout(false, at + 12);
       },
       {"Quality=Fine", "Creative Style=\"Standard\""}},
      {"Sony CAM",
       "SONY",
       "DSC-HX9V",
       "0230",
       false,
       [](std::uint32_t at) {
         return std::string("SONY CAM \0\0\0", 12) +
                Ifd().Long(0x0115, {0x30}).Layout(false, at + 12);
       },
       {"White Balance=Shade"}},
      {"Sony without a header, and its LensSpec tag",
       "SONY",
       "ILCE-6000",
       "0230",
       false,
       [](std::uint32_t at) {
         return Ifd()
             .Bytes(0xB02A, 7, std::string("\xC3\x00\x16\x00\x50\x35\x56\x00", 8))
             .Short(0xB049, {2})
             .Layout(false, at);
       },
       {"Lens=E PZ 16-50mm F3.5-5.6 OSS", "Release Mode=Continuous"}},
      {"Panasonic",
       "Panasonic",
       "DMC-FZ5",
       "0220",
       false,
       [](std::uint32_t at) {
         return std::string("Panasonic\0\0\0", 12) + Ifd()
                                                         .Short(0x0001, {2})
                                                         .Ascii(0x0051, "LUMIX G VARIO 14-42")
                                                         .Layout(false, at + 12);
       },
       {"Image Quality=High", "Lens=\"LUMIX G VARIO 14-42\""}},
      {"Pentax AOC, its own byte order",
       "PENTAX Corporation",
       "PENTAX *ist DL",
       "0221",
       false,
       [](std::uint32_t at) {
         return std::string("AOC\0MM", 6) + Ifd().Short(0x0019, {10}).Layout(true, at + 6);
       },
       {"White Balance=Cloudy"}},
      {"Asahi",
       "Asahi Optical Co.,Ltd.",
       "PENTAX Optio 550",
       "0220",
       false,
       [](std::uint32_t at) {
         return std::string("AOC\0II", 6) + Ifd().Short(0x0008, {2}).Layout(false, at + 6);
       },
       {"Quality=Best"}},
      {"Pentax with offsets from the note",
       "PENTAX",
       "PENTAX K-5",
       "0230",
       false,
       [](std::uint32_t) {
         return std::string("PENTAX \0II", 10) +
                Ifd().Ascii(0x0229, "4123456").Short(0x000D, {16}).Layout(false, 10);
       },
       {"Serial Number=\"4123456\"", "Focus Mode=AF-S (Focus-priority)"}},
      {"Pentax under Ricoh Imaging's name",
       "RICOH IMAGING COMPANY, LTD.",
       "PENTAX K-3",
       "0230",
       false,
       [](std::uint32_t) {
         return std::string("PENTAX \0MM", 10) + Ifd().Short(0x0008, {4}).Layout(true, 10);
       },
       {"Quality=RAW"}},
      {"Pentax AOC under Ricoh Imaging's name",
       "RICOH IMAGING COMPANY, LTD.",
       "PENTAX K-3",
       "0230",
       false,
       [](std::uint32_t at) {
         return std::string("AOC\0II", 6) + Ifd().Short(0x0008, {1}).Layout(false, at + 6);
       },
       {"Quality=Better"}},
      {"Ricoh GR of Pentax Ricoh Imaging",
       "PENTAX RICOH IMAGING",
       "GR",
       "0230",
       true,
       [](std::uint32_t at) {
         return std::string("Ricoh\0\0\0", 8) +
                Ifd().Short(0x1000, {3}).Short(0x1003, {12}).Layout(true, at + 8);
       },
       {"Recording Format=DNG", "White Balance=Shade"}},
      {"Ricoh",
       "RICOH",
       "Caplio Pro G3",
       "0221",
       true,
       [](std::uint32_t at) {
         return std::string("Ricoh\xCF\0\0", 8) +
                Ifd().Ascii(0x0001, "Rdc").Ascii(0x0002, "Rev2219").Layout(true, at + 8);
       },
       {"Maker Note Type=\"Rdc\"", "Firmware Version=\"Rev2219\""}},
      {"Ricoh in capitals",
       "RICOH",
       "Caplio RR1",
       "0210",
       true,
       [](std::uint32_t at) {
         return std::string("RICOH\0\0\0", 8) + Ifd().Ascii(0x0001, "Rdc").Layout(true, at + 8);
       },
       {"Maker Note Type=\"Rdc\""}},
      {"Apple: big-endian, offsets from the note",
       "Apple",
       "iPhone 12 Pro",
       "0232",
       false,
       [](std::uint32_t) {
         return std::string("Apple iOS\0\0\1MM", 14) + Ifd()
                                                           .Long(0x0001, {14})
                                                           .Short(0x002E, {6})
                                                           .Rational(0x000C, {1, 2, 3, 4})
                                                           .Layout(true, 14);
       },
       {"Maker Note Version=14", "Camera Type=Front", "Focus Distance Range=1/2, 3/4"}},
      {"Sigma",
       "SIGMA",
       "SIGMA SD10",
       "0220",
       false,
       [](std::uint32_t at) {
         return std::string("SIGMA\0\0\0\1\0", 10) +
                Ifd().Ascii(0x000A, "24 to 70").Layout(false, at + 10);
       },
       {"Lens Focal Range=\"24 to 70\""}},
      {"Foveon",
       "SIGMA",
       "SIGMA SD9",
       "0220",
       false,
       [](std::uint32_t at) {
         return std::string("FOVEON\0\0\1\0", 10) +
                Ifd().Ascii(0x0007, "Auto").Layout(false, at + 10);
       },
       {"White Balance=\"Auto\""}},
      {"Kodak's record, big-endian after KDK INFO",
       "EASTMAN KODAK COMPANY",
       "KODAK DX4900 ZOOM DIGITAL CAMERA",
       "0220",
       true,
       [](std::uint32_t) {
         std::string record(0x62, '\0');
         record.replace(0, 6, "DX4900");
         record[0x09] = 1;                            // Fine
         record[0x1E] = 0x02, record[0x1F] = '\xA1';  // f/6.73
         record[0x40] = 3;                            // Daylight
         return "KDK INFO" + record;
       },
       {"Kodak Model=\"DX4900\"", "Quality=Fine", "Burst Mode=Off", "Image Width=0",
        "Image Height=0", "Shutter Mode=Auto", "Metering Mode=Multi-segment", "Sequence Number=0",
        "FNumber=6.73", "Exposure Time=0", "Focus Mode=Normal", "White Balance=Daylight",
        "Flash Fired=No", "ISO=0"}},
      {"Kodak's record, little-endian after KDK, cut short",
       "EASTMAN KODAK COMPANY",
       "KODAK DX3600 DIGITAL CAMERA",
       "0220",
       false,
       [](std::uint32_t) {
         std::string record(0x10, '\0');
         record[0x0C] = 0x40, record[0x0D] = 0x06;  // 1600, little-endian
         return "KDKxxxxx" + record;
       },
       {"Kodak Model=\"\"", "Quality=", "Burst Mode=Off", "Image Width=1600", "Image Height=0"}},
      {"A Kodak note that is a directory is not decoded",
       "Eastman Kodak",
       "DC210",
       "0210",
       true,
       [](std::uint32_t at) { return Ifd().Short(0x0001, {1}).Layout(true, at); },
       {}},
  };
  std::set<const tMakeRow*> walked;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    tNotePicture p(c.make, c.model, c.version, c.bigEndian, c.note);
    ASSERT_NE(p.data.exifInfo, nullptr);
    EXPECT_EQ(p.data.exifInfo->makerNoteDecoded, !c.expected.empty());
    EXPECT_EQ(p.MakerLines(), c.expected);
    const TImageInfo& info = *p.data.exifInfo;
    walked.insert(
        TmsInfo::RowOf({info.cameraMake, info.cameraModel, info.exifVersion, info.makerNoteData,
                        info.makerNotePos, info.bigEndian, info.tiffSource}));
  }
  // A make added to the registry is a case here too.
  for (const tMakeRow& row : MakerNoteRegistry())
    EXPECT_EQ(walked.count(&row), 1u) << row.make << " " << row.header;
}

// Scripts find a line by its name, and the maker lines stand before the Exif IFD's later lines:
// a maker line named like an EXIF line would answer for it. The makes and directories added
// since the first eight take names of their own (the older lines keep theirs).
TEST(TmsInfo, NewMakersLinesAreNamedApartFromTheExifLines) {
  std::set<std::string> exif;
  for (const auto table : {kExifTags, kGpsTags}) {
    for (const tTagRow& row : table) exif.insert(AsciiUpperCase(row.ShortName));
  }
  for (const auto table :
       {kSonyTable, kPanasonicTable, kPentaxTable, kAppleTable, kSigmaTable, kRicohTable,
        kRicohGrTable, kOlympusEquipmentTable, kOlympusCameraSettingsTable}) {
    for (const tTagRow& row : table)
      EXPECT_EQ(exif.count(AsciiUpperCase(row.ShortName)), 0u) << row.ShortName;
  }
}

TEST(TmsInfo, CanonListsBecomeNamedValuesAndTheTagKeepsItsText) {
  const std::vector<std::uint32_t> settings = {40, 1, 0, 3, 2,     1, 0, 3,  0,
                                               0,  2, 9, 0, 65535, 0, 1, 16, 0};
  tNotePicture p("Canon", "Canon PowerShot S30", "0210", false, [&](std::uint32_t at) {
    return Ifd()
        .Short(0x0001, settings)
        .Short(0x000F, {0, 0x0101, 0x1001, 0x0201, 0x0C02})
        .Ascii(0x0006, "IMG:JPEG")
        .Layout(false, at);
  });
  const Lines lines = p.MakerLines();
  const Lines expected = {
      "Macro mode=Macro",
      "Self Timer= 0",  // index 2 of the record; index 1 is the macro mode
      "Compression Rate=Fine",
      "Flash Mode=On",
      "Drive Mode=Continuous",
      "Focus Mode=MF",
      "Image Size=Small",
      "Easy Shoot=Sports",
      "Contrast=Low",
      "Saturation=Normal",
      "Sharpness=High",
      "CCD ISO=50",
      "Metering Mode=Default",
      "ExposureInfo1=40, 1, 0, 3, 2, 1, 0, 3, 0, 0, 2, 9, 0, 65535, 0, 1, 16, 0",
      "Noise Reduction= On",
      "Shutter AE Lock Button=AE lock/AF",
      "CustomFunctions=0, 257, 4097, 513, 3074",
      "ImageType=\"IMG:JPEG\""};
  EXPECT_EQ(lines, expected);
}

// Collects what a formatter adds.
class CollectingContext final : public FormatContext {
 public:
  explicit CollectingContext(char decimalSeparator = '.') : FormatContext(decimalSeparator) {}
  void AddValue(std::string_view name, std::string_view text) override {
    values.emplace_back(name, text);
  }
  std::vector<std::pair<std::string, std::string>> values;
};

TEST(MakerNoteFormatters, NikonTextsAndFieldRoutines) {
  EXPECT_EQ(FormatColorModeText("\"MODE2\""), "Mode 2 (Adobe RGB)");
  EXPECT_EQ(FormatColorModeText("\"MODE1a  \""), "Mode1 (sRGB)");
  EXPECT_EQ(FormatColorModeText("\"MODE3\""), "Mode 3 (sRGB): higher saturation");
  EXPECT_EQ(FormatColorModeText("\"COLOR\""), "COLOR");
  CollectingContext dot('.'), comma(',');
  EXPECT_EQ(FormatLensRange("18/1, 70/1, 35/10, 45/10", dot), "18.0-70.0(mm)  F3.5-F4.5");
  EXPECT_EQ(FormatLensRange("18/1, 70/1, 35/10, 45/10", comma), "18,0-70,0(mm)  F3,5-F4,5");
  EXPECT_EQ(FormatLensRange("oops", dot), "0.0-0.0(mm)  F0.0-F0.0");
  EXPECT_EQ(TextBefore("a, b", ","), "a");
  EXPECT_EQ(TextBefore("ab", ","), "ab");
  EXPECT_EQ(TextAfter("a, b", ","), " b");
  EXPECT_EQ(TextAfter("ab", ","), "");
  EXPECT_EQ(TextAfter("ab", ""), "ab");
  EXPECT_EQ(NthField("1, 2, 3", ",", 3), " 3");
  EXPECT_EQ(NthField("1, 2, 3", ",", 0), "1");
  EXPECT_EQ(NthField("1, 2, 3", ",", 9), "");
  EXPECT_EQ(SeparatorCount("a,,b,", ","), 3);
  EXPECT_EQ(SeparatorCount("a--b", "-"), 2);
  EXPECT_EQ(SeparatorCount("abc", ""), 0);
}

TEST(MakerNoteFormatters, CustomFunctionsSkipWhatIsNoFunction) {
  CollectingContext context;
  EXPECT_FALSE(context.KeepsUnformatted());
  EXPECT_EQ(ListCustomFunctions("257, 4097, x, -3, 1536, 0", context),
            "\r\nNoise Reduction= On\r\nAV Shutter Speed=Automatic");
  EXPECT_TRUE(context.KeepsUnformatted());
  EXPECT_EQ(context.values, (std::vector<std::pair<std::string, std::string>>{
                                {"Noise Reduction", " On"}, {"AV Shutter Speed", "Automatic"}}));
  CollectingContext last;
  EXPECT_EQ(ListCustomFunctions("257", last), "");  // the last field is never examined
  EXPECT_TRUE(last.values.empty());
}

TEST(TmsInfo, ANoteThatPointsOutsideItsDataGivesFewerEntries) {
  // Claims 0xFFFF entries and points its values far away: only the entries present are read.
  tNotePicture p("Canon", "Canon EOS", "0210", true, [](std::uint32_t) {
    std::string note =
        Ifd().PointerTo(0x0006, 0x7FFFFFF0).Short(0x0008, {7}).ClaimCount(0xFFFF).Layout(true, 0);
    note.replace(4, 6,
                 std::string("\x00\x02\xFF\xFF\xFF\xF0", 6));  // ASCII of four billion characters
    return note;
  });
  const Lines lines = p.MakerLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "ImageType=\"\"");
  EXPECT_EQ(lines[1], "ImageNumber=7");
}

}  // namespace
}  // namespace dux
