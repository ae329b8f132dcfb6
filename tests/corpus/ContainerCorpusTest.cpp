// Files that are neither JPEG nor TIFF, read through the plug-in as a script reads them.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "metadata/containers/FileFormat.h"
#include "tests/support/Corpus.h"
#include "tests/support/PluginFixture.h"
#include "tests/support/TempDir.h"

namespace dux::test {
namespace {

// What duxIPTCread and duxEXIFread set for a file, but for the lines that tell of the file itself
// (its name, size and date) and of where the writer placed a directory (an offset), which differ
// between two files of the same metadata.
std::map<std::string, std::string> ReadAll(LoadedPlugin& plugin, const std::string& path) {
  std::map<std::string, std::string> found;
  for (const int command : {1, 5}) {
    plugin.Host().setCalls.clear();
    found["result " + std::to_string(command)] = plugin.Run(command, {path}) ? "true" : "false";
    for (const auto& [name, value] : plugin.Host().setCalls) {
      if (name == "[duxEXIF_SummaryShort]") continue;  // one line: file name first
      std::istringstream lines(value);
      std::string kept;
      for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("File ") && line.find(" Offset=") == std::string::npos)
          kept += line + "\n";
      }
      found[name] = kept;
    }
  }
  return found;
}

// A HEIC, an AVIF, a WebP and a PNG made from one camera JPEG's EXIF and XMP read as the JPEG
// made the same way, and an ORF made from another camera JPEG's EXIF as that JPEG: every EXIF
// line, maker note, thumbnail line, summary line and IPTC variable.
TEST(ContainerCorpus, EachFormatReadsAsTheJpegWithTheSameMetadata) {
  LoadedPlugin plugin;
  const std::string fuji = "containers/made_fuji-exif-xmp.";
  const std::string olympus = "makernote/olympus_e1_mn-OLYMP-v2_exiftool.jpg";
  struct Case {
    std::string file, reference, make;
  };
  for (const Case& c :
       {Case{fuji + "heic", fuji + "jpg", "FUJIFILM"},
        Case{fuji + "avif", fuji + "jpg", "FUJIFILM"},
        Case{fuji + "webp", fuji + "jpg", "FUJIFILM"}, Case{fuji + "png", fuji + "jpg", "FUJIFILM"},
        Case{"raw/orf_olympus-e1_made-from-jpeg-exif.orf", olympus, "OLYMPUS"}}) {
    SCOPED_TRACE(c.file);
    const auto reference = ReadAll(plugin, CorpusFile(c.reference));
    ASSERT_EQ(reference.at("result 5"), "true");
    ASSERT_NE(reference.at("[duxEXIF_Data]").find("Make=" + c.make), std::string::npos);
    EXPECT_EQ(ReadAll(plugin, CorpusFile(c.file)), reference);
  }
  const auto fujiJpeg = ReadAll(plugin, CorpusFile(fuji + "jpg"));
  EXPECT_EQ(fujiJpeg.at("[duxIPTC_City]"), "Kingston\n");  // the XMP's, as IPTC
  EXPECT_NE(ReadAll(plugin, CorpusFile(olympus)).at("[duxEXIF_MakerSpecificData]"), "");
}

// A write into a file of a kind that is read but not written fails with a message that names
// the kind, and leaves the file as it was and nothing beside it.
TEST(ContainerCorpus, WritesIntoOtherFormatsAreRefusedAndTouchNothing) {
  LoadedPlugin plugin;
  int refused = 0;
  for (const tCorpusFile& corpus : CorpusFiles()) {
    const FileFormat format = CorpusFormat(corpus.file);
    if (format == FileFormat::kJpeg || format == FileFormat::kUnknown) continue;
    SCOPED_TRACE(corpus.file);
    TempDir dir;
    const std::string copy = dir.File("photo");
    const std::string bytes = ReadFileBytes(CorpusFile(corpus.file));
    WriteFileBytes(copy, bytes);
    plugin.Host().variables.clear();
    plugin.Host().variables["[duxIPTC_ImageCaption]"] = "A new caption";
    EXPECT_FALSE(plugin.Run(2, {copy, copy}));
    EXPECT_NE(plugin.Host().variables["[LastError]"].find(
                  " is a " + std::string(FormatName(format)) + " file"),
              std::string::npos)
        << plugin.Host().variables["[LastError]"];
    EXPECT_EQ(ReadFileBytes(copy), bytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
    ++refused;
  }
  EXPECT_GT(refused, 30);
}

}  // namespace
}  // namespace dux::test
