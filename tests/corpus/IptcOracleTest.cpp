// The round-trip copies of every corpus JPEG, checked by independent readers: ExifTool reads
// the IPTC values we wrote, and djpeg decodes source and copy to the same pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "metadata/iptc/IptcFields.h"
#include "tests/corpus/IptcCorpus.h"
#include "tests/support/Corpus.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/Process.h"
#include "tests/support/TiffBuilder.h"

namespace dux::test {
namespace {

std::string DecodeBase64(const std::string& text) {
  static const std::string kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  unsigned bits = 0;
  int count = 0;
  for (const char c : text) {
    const auto index = kAlphabet.find(c);
    if (index == std::string::npos) continue;
    bits = bits << 6 | static_cast<unsigned>(index);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  return out;
}

// ExifTool's value of a field in our form: dates and times without separators, binary data
// decoded, lists as items.
std::string ExifToolValue(const nlohmann::json& copy, const tIptcFieldRow& row) {
  const std::string key = "IPTC:" + ExifToolIptcNames().at(std::string(row.Field));
  if (!copy.contains(key)) return "<missing>";
  std::string text = OracleText(copy[key]);
  if (text.rfind("base64:", 0) == 0) text = DecodeBase64(text.substr(7));
  if (row.Field == "DateCreated" || row.Field == "TimeCreated") std::erase(text, ':');
  return text;
}

struct tCopy {
  std::string source, copy;
};

TEST(IptcOracle, ExifToolReadsWhatWeWroteAndDjpegSeesTheSamePixels) {
  LoadedPlugin plugin;
  TempDir dir;
  std::vector<tCopy> copies;
  for (const tCorpusFile& corpus : CorpusFiles()) {
    const auto& unwritable = UnwritableCorpusJpegs();
    if (!IsJpegName(corpus.file) ||
        std::find(unwritable.begin(), unwritable.end(), corpus.file) != unwritable.end()) {
      continue;
    }
    const std::string copy = dir.File(std::to_string(copies.size()) + ".jpg");
    ASSERT_TRUE(WriteRoundTrip(plugin, CorpusFile(corpus.file), copy)) << corpus.file;
    copies.push_back({corpus.file, copy});
  }
  int status = 0;
  const std::string json = RunProgram(
      "exiftool -j -n -b -G1 -charset iptc=cp1252 -IPTC:all -ExifIFD:ExifImageWidth "
      "-ExifIFD:ExifImageHeight "
      "-File:ImageWidth -File:ImageHeight " +
          ShellQuote(dir.Path()) + "/*.jpg",
      status);
  ASSERT_EQ(status, 0) << "exiftool failed";
  std::map<std::string, nlohmann::json> byFile;
  for (const auto& item : nlohmann::json::parse(json)) byFile[item["SourceFile"]] = item;
  const auto expected = RoundTripExpected();
  for (const tCopy& c : copies) {
    SCOPED_TRACE(c.source);
    ASSERT_TRUE(byFile.count(c.copy)) << "ExifTool did not list the copy";
    const nlohmann::json& read = byFile[c.copy];
    // The FotoStation trailer after the image keeps its own IPTC, copied with the image data.
    if (c.source != "iptc/iptc_in_fotostation-app10_exiftool.jpg") {
      EXPECT_FALSE(read.contains("IPTC2:ApplicationRecordVersion")) << "a second IPTC block";
    }
    for (const tIptcFieldRow& row : kIptcFields) {
      SCOPED_TRACE(std::string(row.Field));
      if (row.Field == "Keywords") {
        EXPECT_EQ(OracleList(read["IPTC:Keywords"]), RoundTripKeywords());
      } else if (row.Field == "SuppCategory") {
        EXPECT_EQ(OracleList(read["IPTC:SupplementalCategories"]),
                  (std::vector<std::string>{"Sports", "Ski jumping"}));
      } else {
        EXPECT_EQ(ExifToolValue(read, row), expected.at(std::string(row.Variable)));
      }
    }
    // The stored image size is the frame's after a write.
    for (const char* axis : {"Width", "Height"}) {
      const std::string stored = std::string("ExifIFD:ExifImage") + axis,
                        frame = std::string("File:Image") + axis;
      if (read.contains(stored) && read[stored].is_number() && read[stored].get<double>() > 0) {
        EXPECT_EQ(read[stored], read[frame]) << axis;
      }
    }
    int sourceStatus = 0, copyStatus = 0;
    const std::string sourcePixels =
        RunProgram("djpeg -ppm " + ShellQuote(CorpusFile(c.source)) + " 2>/dev/null", sourceStatus);
    const std::string copyPixels =
        RunProgram("djpeg -ppm " + ShellQuote(c.copy) + " 2>/dev/null", copyStatus);
    EXPECT_EQ(copyStatus, sourceStatus);
    EXPECT_TRUE(copyPixels == sourcePixels) << "djpeg decodes the copy to other pixels";
  }
  EXPECT_GT(copies.size(), 90u);
}

TEST(IptcOracle, AWriteSetsTheStoredImageSizeToTheFramesInBothByteOrders) {
  LoadedPlugin plugin;
  TempDir dir;
  for (const bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian ? "MM" : "II");
    const std::string tiff =
        Ifd().Sub(0x8769, Ifd().Short(0xA002, {640}).Long(0xA003, {480})).Tiff(bigEndian);
    const std::string source = dir.File(bigEndian ? "mm.jpg" : "ii.jpg"),
                      copy = dir.File("copy.jpg");
    WriteFileBytes(source, JpegWith({Segment(0xE1, std::string("Exif\0\0", 6) + tiff)}, 24, 10));
    ASSERT_TRUE(plugin.Run(2, {source, copy}));
    int status = 0;
    const auto read = nlohmann::json::parse(RunProgram(
        "exiftool -j -n -ExifImageWidth -ExifImageHeight " + ShellQuote(copy), status))[0];
    EXPECT_EQ(read["ExifImageWidth"], 24);
    EXPECT_EQ(read["ExifImageHeight"], 10);
  }
}

}  // namespace
}  // namespace dux::test
