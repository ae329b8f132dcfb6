#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "metadata/TimgData.h"
#include "metadata/jpeg/JpegImage.h"
#include "platform/Files.h"
#include "platform/FormatError.h"
#include "tests/support/IptcRewrite.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/TempDir.h"

namespace dux {
namespace {

using test::Dataset;
using test::LeadingSegments;
using test::Segment;

const std::string kExif = Segment(0xE1, std::string("Exif\0\0II*\0\x08\0\0\0\0\0\0\0\0\0", 20));
const std::string kXmp = Segment(0xE1, "http://ns.adobe.com/xap/1.0/\0<x/>");
const std::string kIcc = Segment(0xE2, std::string("ICC_PROFILE\0\x01\x01", 14) + "profile");
const std::string kApp0 = Segment(0xE0, std::string("JFIF\0\x01\x02\0\0\x01\0\x01\0\0", 14));
const std::string kJfxx = Segment(0xE0, std::string("JFXX\0\x13", 6));
const std::string kDefaultApp0("\xFF\xE0\x00\x10JFIF\x00\x01\x02\x01\x01\x2C\x01\x2C\x00\x00", 18);

std::string OldIptc(const std::string& datasets, const std::string& others = "") {
  return Segment(0xED, test::PhotoshopPayload(others + test::Resource(0x0404, datasets)));
}

// Writes `source` to a file, rewrites it as duxIPTCwrite does with a City of "Rome", and
// returns the result.
std::string Rewrite(const std::string& source) {
  test::TempDir dir;
  const std::string in = dir.File("in.jpg"), out = dir.File("out.jpg");
  test::WriteFileBytes(in, source);
  test::RewriteIptc(in, out, {{"City", "Rome"}});
  return test::ReadFileBytes(out);
}

// The APP13 a rewrite with only a City of "Rome" produces, given the source's other resources.
std::string NewIptc(const std::string& others = "", bool hasUrlList = false) {
  std::string iim = std::string("\x1C\x02\x00\x00\x02\x00\x02", 7) + Dataset(2, 90, "Rome");
  if (iim.size() % 2 != 0) iim += '\0';
  const std::string emptyUrlList = hasUrlList ? "" : test::Resource(0x040B, "");
  return Segment(0xED, test::PhotoshopPayload(test::Resource(0x0404, iim) + others + emptyUrlList));
}

TEST(SaveJpegWithSegments, RebuildsTheLeadingSegmentsAndCopiesTheRest) {
  struct Case {
    const char* what;
    std::vector<std::string> source;
    std::vector<std::string> expected;
  };
  const std::string com1 = Segment(0xFE, "first"), com2 = Segment(0xFE, "second");
  const std::string app13b = Segment(0xED, "Adobe_CM");
  for (const Case& c : {
           Case{"EXIF replaces the JFIF header",
                {kApp0, kExif, OldIptc(Dataset(2, 90, "Old"))},
                {kExif, NewIptc()}},
           Case{"no metadata: a default header", {}, {kDefaultApp0, NewIptc()}},
           Case{"the kept APP0 when there is no EXIF", {kApp0}, {kApp0, NewIptc()}},
           Case{"XMP and ICC are kept in order",
                {kApp0, kExif, kXmp, kIcc},
                {kExif, NewIptc(), kXmp, kIcc}},
           Case{"the Photoshop APP13 is replaced, another APP13 stays",
                {kExif, OldIptc(""), app13b, kIcc},
                {kExif, NewIptc(), app13b, kIcc}},
           Case{"the last COM moves up, the first stays",
                {kApp0, com1, kExif, com2},
                {kExif, NewIptc(), com2, com1}},
           Case{"an APP0 after the EXIF is no header: kept",
                {kExif, kApp0, kXmp},
                {kExif, NewIptc(), kApp0, kXmp}},
           Case{"EXIF: only the APP0 right after SOI goes",
                {kApp0, kExif, kJfxx},
                {kExif, NewIptc(), kJfxx}},
           Case{"no EXIF: the JFIF header leads, a JFXX stays where it stood",
                {kApp0, kJfxx},
                {kApp0, NewIptc(), kJfxx}},
           Case{"no JFIF header: a default one, and the JFXX stays",
                {kJfxx},
                {kDefaultApp0, NewIptc(), kJfxx}},
       }) {
    SCOPED_TRACE(c.what);
    const std::string source = test::JpegWith(c.source);
    const std::string written = Rewrite(source);
    EXPECT_EQ(LeadingSegments(written), c.expected);
    EXPECT_EQ(test::ImageTail(written), test::ImageTail(source));
  }
}

TEST(SaveJpegWithSegments, ACommentAfterTheTablesStaysWhereItIsAndIsNotDoubled) {
  std::string tail = test::ImageTail(test::TinyJpeg());
  const std::size_t dqtLength =
      static_cast<unsigned char>(tail[2]) << 8 | static_cast<unsigned char>(tail[3]);
  tail.insert(2 + dqtLength, Segment(0xFE, "late comment"));  // after the first DQT
  const std::string source = "\xFF\xD8" + kApp0 + tail;
  const std::string written = Rewrite(source);
  EXPECT_EQ(LeadingSegments(written), (std::vector<std::string>{kApp0, NewIptc()}));
  EXPECT_EQ(test::ImageTail(written), tail);
  EXPECT_EQ(Rewrite(written), written);
}

TEST(SaveJpegWithSegments, KeepsOtherPhotoshopResourcesInTheirOrderAndTheDatasetsItDoesNotChange) {
  const std::string resolution = test::Resource(0x03ED, std::string(16, '\x01'));
  const std::string urls = test::Resource(0x040B, "http://example.org");
  const std::string source = test::JpegWith({OldIptc(Dataset(2, 80, "x"), resolution + urls)});
  const std::string iptc =
      Dataset(2, 0, std::string("\0\x02", 2)) + Dataset(2, 80, "x") + Dataset(2, 90, "Rome");
  EXPECT_EQ(
      LeadingSegments(Rewrite(source)),
      (std::vector<std::string>{
          kDefaultApp0, Segment(0xED, test::PhotoshopPayload(resolution + urls +
                                                             test::Resource(0x0404, iptc)))}));
}

TEST(SaveJpegWithSegments, WritesIntoTheSourceFileItself) {
  test::TempDir dir;
  const std::string path = dir.File("same.jpg");
  const std::string source = test::JpegWith({kApp0, kXmp});
  test::WriteFileBytes(path, source);
  test::RewriteIptc(path, path, {{"ByLine", "me"}});
  const std::string written = test::ReadFileBytes(path);
  // The XMP packet is no EXIF: the JFIF header leads, the new IPTC block follows, the XMP stays.
  ASSERT_EQ(LeadingSegments(written).size(), 3u);
  EXPECT_EQ(LeadingSegments(written)[0], kApp0);
  EXPECT_EQ(LeadingSegments(written)[1].substr(0, 2), "\xFF\xED");
  EXPECT_EQ(LeadingSegments(written)[2], kXmp);
  EXPECT_EQ(test::ImageTail(written), test::ImageTail(source));
  EXPECT_EQ(dir.Listing(), "same.jpg\n");
}

// The real writer, with the size of every write kept.
class CountingOutput final : public platform::OutputFile {
 public:
  CountingOutput(const std::string& destination, std::vector<std::size_t>& sizes)
      : file_(destination), sizes_(sizes) {}
  void Write(std::string_view bytes) override {
    sizes_.push_back(bytes.size());
    file_.Write(bytes);
  }
  std::unique_ptr<platform::InputFile> ReadBack() override { return file_.ReadBack(); }
  void Commit() override { file_.Commit(); }

 private:
  platform::ReplacingFile file_;
  std::vector<std::size_t>& sizes_;
};

TEST(SaveJpegWithSegments, WritesTheMetadataAtOnceAndTheImageDataInWholePages) {
  test::TempDir dir;
  const std::string in = dir.File("in.jpg"), out = dir.File("out.jpg");
  // Bytes after the image are the file's too: 700 KB of them make the file three chunks long.
  const std::string source =
      test::JpegWith({kApp0, kExif, test::Segment(0xFE, "a comment")}) + std::string(700000, 'x');
  test::WriteFileBytes(in, source);
  std::vector<std::size_t> sizes;
  test::RewriteIptc(in, out, {{"City", "Rome"}}, [&sizes](const std::string& name) {
    return std::make_unique<CountingOutput>(name, sizes);
  });
  const std::string written = test::ReadFileBytes(out);
  EXPECT_EQ(test::ImageTail(written), test::ImageTail(source));
  ASSERT_GE(sizes.size(), 3u);
  // Every write but the last is a whole chunk, so every write starts on a page, and the first
  // holds every segment in front of the image data.
  std::size_t at = 0;
  for (std::size_t i = 0; i + 1 < sizes.size(); ++i) {
    EXPECT_EQ(sizes[i], 1u << 18) << i;
    at += sizes[i];
  }
  EXPECT_EQ(at + sizes.back(), written.size());
  EXPECT_GT(sizes[0], written.find("\xFF\xDA"));
}

TEST(SaveJpegWithSegments, FailuresLeaveEveryFileAsItWas) {
  test::TempDir dir;
  const std::string good = dir.File("good.jpg");
  test::WriteFileBytes(good, test::JpegWith({kApp0}));
  std::string truncated = test::TinyJpeg();
  truncated.resize(truncated.find("\xFF\xC0") + 8);  // into the frame header
  test::WriteFileBytes(dir.File("truncated.jpg"), truncated);
  test::WriteFileBytes(dir.File("png.jpg"), "\x89PNG\r\n\x1A\n0000IHDR");
  test::WriteFileBytes(dir.File("dest.jpg"), "old bytes");
  std::filesystem::create_directory(dir.File("folder.jpg"));
  struct Case {
    const char* what;
    std::string source, destination;
  };
  for (const Case& c :
       {Case{"missing source", dir.File("missing.jpg"), dir.File("dest.jpg")},
        Case{"PNG named .jpg", dir.File("png.jpg"), dir.File("dest.jpg")},
        Case{"truncated frame header", dir.File("truncated.jpg"), dir.File("dest.jpg")},
        Case{"folder that does not exist", good, dir.File("none/dest.jpg")},
        Case{"destination is a folder", good, dir.File("folder.jpg")}}) {
    SCOPED_TRACE(c.what);
    try {
      test::RewriteIptc(c.source, c.destination, {{"City", "Rome"}});
      ADD_FAILURE() << "no error";
    } catch (const FormatError& e) {
      EXPECT_NE(std::string(e.what()).find(c.what[0] == 'f' || c.what[0] == 'd' ? c.destination
                                                                                : c.source),
                std::string::npos)
          << e.what();
    }
    EXPECT_EQ(test::ReadFileBytes(dir.File("dest.jpg")), "old bytes");
    EXPECT_EQ(dir.Listing(), "dest.jpg\nfolder.jpg\ngood.jpg\npng.jpg\ntruncated.jpg\n");
  }
}

TEST(JpegImage, ReadsTheFrameSizeAndAcceptsAFileWithoutScan) {
  const std::string jpeg = test::TinyJpeg(24, 10);
  const JpegImage image = JpegImage::FromBytes(jpeg, "x");
  EXPECT_EQ(image.Width(), 24);
  EXPECT_EQ(image.Height(), 10);
  // Metadata-only files end after the frame header; the header is still readable.
  const std::string noScan = jpeg.substr(0, jpeg.find("\xFF\xDA")) + "\xFF\xD9";
  EXPECT_EQ(JpegImage::FromBytes(noScan, "x").Height(), 10);
  EXPECT_THROW(JpegImage::FromBytes(jpeg.substr(0, jpeg.find("\xFF\xC0")), "x"), FormatError);
}

}  // namespace
}  // namespace dux
