// A write keeps what the user did not change, and a read sees what is there: the exact cases.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/ExifCommand.h"
#include "host/IptcCommands.h"
#include "metadata/TimgData.h"
#include "metadata/iptc/IimDatasets.h"
#include "metadata/iptc/IptcFields.h"
#include "metadata/iptc/PhotoshopResources.h"
#include "metadata/jpeg/JpegImage.h"
#include "platform/FormatError.h"
#include "platform/Md5.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/RegisteredHost.h"
#include "tests/support/TempDir.h"
#include "tests/support/TiffBuilder.h"

namespace dux {
namespace {

using test::Dataset;
using test::Ifd;
using test::Segment;

const std::string kVersion = Dataset(2, 0, std::string("\0\x02", 2));

std::string PhotoshopApp13(const std::string& resources) {
  return Segment(0xED, test::PhotoshopPayload(resources));
}

// duxIPTCread and duxIPTCwrite on files, with the variables in between in the test's hands.
class Issue13 : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir.File(name);
    test::WriteFileBytes(path, bytes);
    return path;
  }
  // Reads `path` into the variables; true when it had IPTC.
  bool Read(const std::string& path) { return IptcRead(path); }
  // Writes the variables from `source` into a new file and returns its bytes.
  std::string WriteCopy(const std::string& source) {
    const std::string copy = dir.File("copy.jpg");
    IptcWrite(source, copy);
    return test::ReadFileBytes(copy);
  }
  std::string& Variable(std::string_view field) {
    return host.variables["[duxIPTC_" + std::string(field) + "]"];
  }

  test::RegisteredHost host;
  test::TempDir dir;
};

// The datasets of the IPTC resource of a JPEG's Photoshop block, as stored.
std::vector<std::string> StoredDatasets(const std::string& jpeg) {
  const tPhotoshopRun run = TimgData::FindPhotoshopRun(JpegImage::FromBytes(jpeg, "written"));
  std::vector<std::string> out;
  for (const tImageResource& r : run.resources) {
    if (r.id != kIptcResource) continue;
    const auto datasets = ParseIimDatasets(r.data);
    EXPECT_TRUE(datasets.has_value());
    for (const tDataset& d : datasets.value_or(std::vector<tDataset>{})) out.push_back(d.stored);
  }
  return out;
}

TEST_F(Issue13, AWriteChangesOnlyTheFieldsWhoseVariablesChanged) {
  const std::vector<std::string> datasets = {
      Dataset(1, 0, std::string("\0\x04", 2)),  // the envelope record
      kVersion,
      Dataset(2, 7, "edited"),  // EditStatus: no variable
      Dataset(2, 80, "Anna"),
      Dataset(2, 80, "Bob"),                  // two By-lines: read as the first
      Dataset(2, 5, ""),                      // an empty ObjectName
      Dataset(2, 15, "ABCD"),                 // a Category over its limit of 3
      Dataset(2, 110, std::string(40, 'c')),  // a Credit over its limit of 32
      Dataset(2, 120, "old caption"),
      Dataset(2, 62, "20240102"),       // DigitalCreationDate
      Dataset(2, 221, "0:0:0:-00001"),  // Prefs
  };
  std::string iim;
  for (const std::string& d : datasets) iim += d;
  const std::string source =
      Write("in.jpg", test::JpegWith({PhotoshopApp13(test::Resource(0x0404, iim))}));
  ASSERT_TRUE(Read(source));
  EXPECT_EQ(Variable("ByLine"), "Anna");
  EXPECT_EQ(Variable("Category"), "ABCD");
  // Unchanged variables: every dataset stays as it was, in its place.
  EXPECT_EQ(StoredDatasets(WriteCopy(source)), datasets);
  // A new caption replaces the caption's dataset where it stood.
  Variable("ImageCaption") = "new caption";
  std::vector<std::string> expected = datasets;
  expected[8] = Dataset(2, 120, "new caption");
  EXPECT_EQ(StoredDatasets(WriteCopy(source)), expected);
  // A new By-line replaces both, at the first one's place; an emptied Category goes; a longer
  // Credit is cut to its limit.
  Variable("ByLine") = "Carl";
  Variable("Category") = "";
  Variable("ImageCredit") = std::string(50, 'd');
  expected = {datasets[0],
              datasets[1],
              datasets[2],
              Dataset(2, 80, "Carl"),
              datasets[5],
              Dataset(2, 110, std::string(32, 'd')),
              Dataset(2, 120, "new caption"),
              datasets[9],
              datasets[10]};
  EXPECT_EQ(StoredDatasets(WriteCopy(source)), expected);
  // A field the source lacks joins the end of record 2, before record 8; the version stays one.
  const std::string withSubfile =
      Write("sub.jpg", test::JpegWith({PhotoshopApp13(test::Resource(
                           0x0404, kVersion + Dataset(2, 80, "A") + Dataset(8, 10, "7")))}));
  ASSERT_TRUE(Read(withSubfile));
  Variable("City") = "Rome";
  const std::vector<std::string> joined = {kVersion, Dataset(2, 80, "A"), Dataset(2, 90, "Rome"),
                                           Dataset(8, 10, "7")};
  EXPECT_EQ(StoredDatasets(WriteCopy(withSubfile)), joined);
}

TEST_F(Issue13, NewValuesFollowTheBlocksDeclaredCharacterSet) {
  const std::string utf8 = Dataset(1, 90, "\x1B%G");
  for (const bool declared : {true, false}) {
    SCOPED_TRACE(declared ? "UTF-8 declared" : "no declaration");
    const std::string iim = (declared ? utf8 : "") + kVersion +
                            Dataset(2, 80, declared ? "J\xC3\xBCrgen" : "J\xFCrgen");
    const std::string source =
        Write("in.jpg", test::JpegWith({PhotoshopApp13(test::Resource(0x0404, iim))}));
    ASSERT_TRUE(Read(source));
    EXPECT_EQ(Variable("ByLine"), "J\xFCrgen");  // code page 1252 either way
    Variable("City") = "M\xFCnchen";
    const std::vector<std::string> written = StoredDatasets(WriteCopy(source));
    const std::string city =
        declared ? Dataset(2, 90, "M\xC3\xBCnchen") : Dataset(2, 90, "M\xFCnchen");
    const std::vector<std::string> expected =
        declared ? std::vector<std::string>{utf8, kVersion, Dataset(2, 80, "J\xC3\xBCrgen"), city}
                 : std::vector<std::string>{kVersion, Dataset(2, 80, "J\xFCrgen"), city};
    EXPECT_EQ(written, expected);
  }
}

TEST_F(Issue13, ABlockOverTwoSegmentsIsReadWholeAndWrittenBackWhole) {
  // A thumbnail resource fills the first segment, the IPTC resource straddles the boundary.
  const std::string thumbnail = test::Resource(0x040C, std::string(65500, 't'));
  const std::string iptc = test::Resource(0x0404, kVersion +
                                                      Dataset(2, 80,
                                                              "Jens Tr\xFC"
                                                              "biger") +
                                                      Dataset(2, 90, "Berlin"));
  const std::string block = thumbnail + iptc + test::Resource(0x0425, std::string(16, 'd'));
  const std::string cut = block.substr(0, 65519);
  const std::vector<std::string> segments = {
      Segment(0xED, "Photoshop 3.0" + std::string(1, '\0') + cut),
      Segment(0xED, "Photoshop 3.0" + std::string(1, '\0') + block.substr(65519))};
  const std::string source = Write("in.jpg", test::JpegWith(segments));
  ASSERT_TRUE(Read(source));
  EXPECT_EQ(Variable("ByLine"),
            "Jens Tr\xFC"
            "biger");
  EXPECT_EQ(Variable("City"), "Berlin");
  Variable("ImageCaption") = "caption";
  const std::string written = WriteCopy(source);
  const tPhotoshopRun run = TimgData::FindPhotoshopRun(JpegImage::FromBytes(written, "written"));
  ASSERT_EQ(run.markerOffsets.size(), 2u);  // still two segments, each within its limit
  ASSERT_EQ(run.resources.size(), 4u);      // the thumbnail, the IPTC, the digest, a URL list
  EXPECT_EQ(run.resources[0].data, std::string(65500, 't'));
  EXPECT_EQ(run.resources[1].id, kIptcResource);
  const auto md5 = platform::Md5(run.resources[1].data);  // no XMP: the digest follows the new IIM
  EXPECT_EQ(run.resources[2].data,
            std::string(reinterpret_cast<const char*>(md5.data()), md5.size()));
  EXPECT_EQ(run.resources[3].id, kUrlListResource);
  ASSERT_TRUE(Read(dir.File("copy.jpg")));
  EXPECT_EQ(Variable("ByLine"),
            "Jens Tr\xFC"
            "biger");
  EXPECT_EQ(Variable("ImageCaption"), "caption");
}

TEST_F(Issue13, APhotoshopBlockWithoutIptcGainsItAndKeepsItsResources) {
  const std::string resolution = test::Resource(0x03ED, std::string(16, '\x01'));
  const std::string source = Write("in.jpg", test::JpegWith({PhotoshopApp13(resolution)}));
  EXPECT_TRUE(Read(source));
  Variable("City") = "Rome";
  const tPhotoshopRun run =
      TimgData::FindPhotoshopRun(JpegImage::FromBytes(WriteCopy(source), "written"));
  ASSERT_EQ(run.resources.size(), 3u);
  EXPECT_EQ(run.resources[0].id, kIptcResource);
  EXPECT_EQ(run.resources[1].data, std::string(16, '\x01'));
  EXPECT_EQ(run.resources[2].id, kUrlListResource);
}

TEST_F(Issue13, ADamagedBlockIsReadButNeverRewritten) {
  const std::string iim = kVersion + Dataset(2, 80, "Anna") + Dataset(2, 120, "caption");
  const std::string resolution = test::Resource(0x03ED, std::string(16, '\x01'));
  // The IPTC resource says it is two bytes shorter than its datasets: the resources after it do
  // not parse. Or the resources parse, but the last dataset says it is longer than what is left.
  std::string shortResource = test::Resource(0x0404, iim);
  shortResource[11] = static_cast<char>(shortResource[11] - 2);
  const std::string longDataset = test::Resource(0x0404, iim.substr(0, iim.size() - 2));
  for (const std::string& resources : {shortResource + resolution, longDataset + resolution}) {
    const std::string bytes = test::JpegWith({PhotoshopApp13(resources)});
    const std::string source = Write("in.jpg", bytes);
    ASSERT_TRUE(Read(source));
    EXPECT_EQ(Variable("ByLine"), "Anna");
    Variable("City") = "Rome";
    // Neither a copy nor the file itself: a rewrite would lose what did not parse, and a second
    // block beside it would say otherwise.
    EXPECT_THROW(IptcWrite(source, dir.File("copy.jpg")), FormatError);
    EXPECT_FALSE(std::filesystem::exists(dir.File("copy.jpg")));
    EXPECT_THROW(IptcWrite("", source), FormatError);
    EXPECT_EQ(test::ReadFileBytes(source), bytes);
  }
}

TEST_F(Issue13, BytesThatDoNotParseAfterTheResourcesStayAfterThem) {
  // The segment ends inside the head of its last resource, as some writers leave it.
  const std::string resolution = test::Resource(0x03ED, std::string(16, '\x01'));
  const std::string iptc = test::Resource(0x0404, kVersion + Dataset(2, 80, "Anna"));
  for (const std::string& resources : {iptc + resolution, resolution}) {
    const std::string source =
        Write("in.jpg", test::JpegWith({PhotoshopApp13(resources + "8BIM\x04\x06")}));
    Read(source);
    Variable("City") = "Rome";
    const std::string written = WriteCopy(source);
    const tPhotoshopRun run = TimgData::FindPhotoshopRun(JpegImage::FromBytes(written, "written"));
    ASSERT_EQ(run.markerOffsets.size(), 1u);  // one block: the old one, rewritten
    EXPECT_EQ(run.unparsed, "8BIM\x04\x06");
    ASSERT_GE(run.resources.size(), 2u);
    EXPECT_EQ(run.resources[0].id, kIptcResource);
    EXPECT_EQ(run.resources[1].data, std::string(16, '\x01'));
    ASSERT_TRUE(Read(dir.File("copy.jpg")));
    EXPECT_EQ(Variable("City"), "Rome");
  }
}

TEST_F(Issue13, AnXmpPacketBeforeTheExifNoLongerHidesIt) {
  for (const bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian ? "MM" : "II");
    const std::string exif =
        Segment(0xE1, std::string("Exif\0\0", 6) + Ifd().Ascii(0x010F, "Maker").Tiff(bigEndian));
    const std::string xmp =
        Segment(0xE1, std::string("http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>", 41));
    const std::string path = Write("xmp-first.jpg", test::JpegWith({xmp, exif}));
    EXPECT_TRUE(ExifRead(path));
    EXPECT_EQ(host.variables["[duxEXIF_Data]"].substr(0, 16), "ErrStr=<none>\r\nB");
    EXPECT_NE(host.variables["[duxEXIF_Data]"].find("\r\nMake=Maker\r\n"), std::string::npos);
  }
}

TEST_F(Issue13, ATiffsIfd0IsWalkedWhereItsHeaderSays) {
  for (const bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian ? "MM" : "II");
    // IFD0 after 40 bytes of image data, as many writers lay a TIFF out.
    std::string tiff = Ifd().Ascii(0x010F, "Later").Layout(bigEndian, 48);
    tiff = (bigEndian ? std::string("MM\0*", 4) : std::string("II*\0", 4)) +
           test::Bytes32(48, bigEndian) + std::string(40, '\x55') + tiff;
    EXPECT_TRUE(ExifRead(Write(bigEndian ? "mm.tif" : "ii.tif", tiff)));
    EXPECT_NE(host.variables["[duxEXIF_Data]"].find("\r\nMake=Later\r\n"), std::string::npos)
        << host.variables["[duxEXIF_Data]"];
  }
}

TEST_F(Issue13, ZeroBytesThatPadTextNeitherShowNorCutTheList) {
  const std::string exif =
      Segment(0xE1, std::string("Exif\0\0", 6) +
                        Ifd().Bytes(0x010F, 2, std::string("KONICA\0\0\0\0\0", 11)).Tiff(false));
  const std::string path =
      Write("padded.jpg", test::JpegWith({exif, Segment(0xFE, std::string("a\0b\0\0", 5))}));
  EXPECT_TRUE(ExifRead(path));
  EXPECT_NE(host.variables["[duxEXIF_Data]"].find("\r\nMake=KONICA\r\n"), std::string::npos);
  EXPECT_EQ(host.variables["[duxEXIF_CommentStr]"], "a.b\r\n");
}

// A maker note in the other byte order than its EXIF, as programs that rewrite the EXIF leave it.
// The note's values count from the TIFF header; the note's data is laid out last, where it will
// stand.
std::string NoteInOtherOrder(const std::string& make, const std::string& model, bool exifBigEndian,
                             const Ifd& note) {
  const auto build = [&](std::uint32_t at) {
    return Ifd()
        .Ascii(0x010F, make)
        .Ascii(0x0110, model)
        .Sub(0x8769, Ifd().Bytes(0x927C, 7, note.Layout(!exifBigEndian, at)))
        .Tiff(exifBigEndian);
  };
  const std::size_t size = note.Layout(!exifBigEndian, 0).size();
  return build(static_cast<std::uint32_t>(build(0).size() - size - size % 2));
}

TEST_F(Issue13, MakerNotesInTheOtherByteOrderAreRead) {
  struct Case {
    const char* what;
    std::string make, model;
    bool exifBigEndian;
    Ifd note;
    std::string line;
  };
  const std::vector<Case> cases = {
      {"Canon note, little-endian, in big-endian EXIF", "Canon", "Canon EOS 600D", true,
       Ifd().Short(0x0001, {98, 2, 0, 4, 0, 1, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
       "Macro mode=Normal"},
      {"Minolta note, big-endian, in little-endian EXIF", "Minolta Co., Ltd.", "DiMAGE 5", false,
       Ifd().Bytes(0x0000, 7, "MLT0"), "ModelID=\"MLT0\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string tiff = NoteInOtherOrder(c.make, c.model, c.exifBigEndian, c.note);
    EXPECT_TRUE(ExifRead(
        Write("note.jpg", test::JpegWith({Segment(0xE1, std::string("Exif\0\0", 6) + tiff)}))));
    EXPECT_NE(host.variables["[duxEXIF_MakerSpecificData]"].find(c.line), std::string::npos)
        << host.variables["[duxEXIF_MakerSpecificData]"];
  }
}

}  // namespace
}  // namespace dux
