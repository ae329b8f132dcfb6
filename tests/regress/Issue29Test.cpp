// IPTC and XMP stay true to what the user wrote: the exact cases, through the plug-in as the host
// loads it, on real and made files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "metadata/TimgData.h"
#include "metadata/iptc/IimDatasets.h"
#include "metadata/iptc/PhotoshopResources.h"
#include "metadata/jpeg/JpegImage.h"
#include "metadata/xmp/XmpPacket.h"
#include "tests/support/IptcFiles.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/PluginFixture.h"

namespace dux::test {
namespace {

constexpr int kRead = 1, kWrite = 2;
const std::string kVersion = Dataset(2, 0, std::string("\0\x02", 2));

const tXmpProperty kCity{kPhotoshopNamespace, "City", XmpKind::kText, "photoshop"};
const tXmpProperty kCreator{kDcNamespace, "creator", XmpKind::kSeq, "dc"};
const tXmpProperty kDescription{kDcNamespace, "description", XmpKind::kLangAlt, "dc"};

// A packet around `description`'s attributes and content, declaring the three IPTC namespaces
// on the description, with 200 bytes of padding.
std::string Packet(const std::string& attributes, const std::string& content,
                   const std::string& padding = std::string(200, ' ')) {
  return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
         "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF "
         "xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
         "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\"\n"
         " xmlns:photoshop=\"http://ns.adobe.com/photoshop/1.0/\" "
         "xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\"" +
         attributes + ">\n" + content + "\n</rdf:Description></rdf:RDF></x:xmpmeta>\n" + padding +
         "\n<?xpacket end=\"w\"?>";
}

const std::string kZeroDigest(16, '\0');

// An APP13 with the IPTC resource `iim` (none when null) and, when given, a digest resource.
std::string IptcApp13(const std::string* iim, const std::string* digest = nullptr) {
  std::string resources = iim != nullptr ? Resource(0x0404, *iim) : "";
  if (digest != nullptr) resources += Resource(0x0425, *digest);
  return Segment(0xED, PhotoshopPayload(resources.empty() ? Resource(0x03ED, std::string(16, 'r'))
                                                          : resources));
}

// The IIM datasets, as stored, of the Photoshop block a write gave.
std::vector<std::string> StoredDatasets(const std::string& jpeg) {
  std::vector<std::string> out;
  const auto datasets = ParseIimDatasets(ResourceData(PhotoshopResourcesOf(jpeg), kIptcResource));
  for (const tDataset& d : datasets.value_or(std::vector<tDataset>{})) out.push_back(d.stored);
  return out;
}

class Issue29 : public ::testing::Test {
 protected:
  explicit Issue29(const std::string& ini = "") : plugin(ini) {}
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = plugin.Folder().File(name);
    WriteFileBytes(path, bytes);
    return path;
  }
  std::string& Variable(const std::string& field) {
    return plugin.Host().variables["[duxIPTC_" + field + "]"];
  }
  bool Read(const std::string& path) { return plugin.Run(kRead, {path}); }
  // Reads `source`, sets the variables `edits` name, writes a copy (`name` in the folder) and
  // returns its bytes.
  std::string Rewrite(const std::string& source,
                      const std::vector<std::pair<std::string, std::string>>& edits,
                      const std::string& name = "copy.jpg") {
    Read(source);
    for (const auto& [field, value] : edits) Variable(field) = value;
    const std::string copy = plugin.Folder().File(name);
    std::filesystem::remove(copy);
    EXPECT_TRUE(plugin.Run(kWrite, {source, copy})) << plugin.Host().variables["[LastError]"];
    return std::filesystem::exists(copy) ? ReadFileBytes(copy) : std::string();
  }
  std::string Copy() const { return plugin.Folder().File("copy.jpg"); }
  LoadedPlugin plugin;
};

TEST_F(Issue29, AByLineWithACommaIsOneTextInTheXmpAsInTheIim) {
  for (const std::string& file : {std::string(DUX_SOURCE_DIR) + "/samples/sample.jpg",
                                  CorpusFile("iptc/iptc_exif_xmp_mwg_exiftool.jpg"),
                                  CorpusFile("iptc/iptc_photoshop_utf8.jpg"),
                                  CorpusFile("iptc/iptc_noexif_utf8_xmp_issue600.jpg")}) {
    SCOPED_TRACE(file);
    const std::string written = Rewrite(file, {{"ByLine", "Doe, Jane"}});
    ASSERT_TRUE(Read(Copy()));
    EXPECT_EQ(Variable("ByLine"), "Doe, Jane");
    const auto xmp = XmpPacket::Parse(XmpPacketOf(written));
    ASSERT_TRUE(xmp.has_value());
    EXPECT_EQ(xmp->Get(kCreator), std::vector<std::string>{"Doe, Jane"});
    // Written once more as read, nothing changes: no quotes find their way into the file.
    const std::string again = Rewrite(Copy(), {}, "again.jpg");
    EXPECT_EQ(XmpPacketOf(again), XmpPacketOf(written));
    const std::vector<std::string> datasets = StoredDatasets(written);
    EXPECT_EQ(StoredDatasets(again), datasets);
    EXPECT_EQ(std::count(datasets.begin(), datasets.end(), Dataset(2, 80, "Doe, Jane")), 1);
  }
  // Of several creators, the first, as of several By-line datasets.
  const std::string two =
      Write("two.jpg",
            JpegWith({XmpApp1(Packet("",
                                     "<dc:creator><rdf:Seq><rdf:li>Doe, Jane</rdf:li>"
                                     "<rdf:li>Roe, Richard</rdf:li></rdf:Seq></dc:creator>"))}));
  EXPECT_TRUE(Read(two));
  EXPECT_EQ(Variable("ByLine"), "Doe, Jane");
}

TEST_F(Issue29, WhatAWriteStoresIsReadNextWhereTheXmpCannotFollow) {
  // The corpus packet in UTF-16, its digest taken away as a tool that drops it would.
  std::string utf16 = ReadFileBytes(CorpusFile("iptc/iptc_two-app13_com_xmp_exiftool.jpg"));
  const tPhotoshopRun run = TimgData::FindPhotoshopRun(JpegImage::FromBytes(utf16, "corpus"));
  std::vector<tImageResource> kept;
  std::copy_if(run.resources.begin(), run.resources.end(), std::back_inserter(kept),
               [](const tImageResource& r) { return r.id != kIptcDigestResource; });
  const auto at = static_cast<std::size_t>(run.markerOffsets.front() - 1);
  const std::size_t length =
      static_cast<unsigned char>(utf16[at + 2]) << 8 | static_cast<unsigned char>(utf16[at + 3]);
  utf16.replace(at, length + 2, Segment(0xED, PhotoshopPayload(EncodeImageResources(kept))));
  // A packet that fills its segment, with no padding to take up a longer caption.
  const std::string full = Packet(
      "",
      "<photoshop:City>Old</photoshop:City><xmp:Label>" + std::string(64800, 'l') + "</xmp:Label>",
      "");
  const std::string oldIim = kVersion + Dataset(2, 90, "Old");
  struct Case {
    const char* what;
    std::string source;
    std::string field, value;
  };
  for (const Case& c : {
           Case{"zero bytes after the packet",
                JpegWith(
                    {XmpApp1(Packet(" photoshop:City=\"OldCity\"", "") + std::string(8, '\0'))}),
                "City", "NewCity"},
           Case{"a UTF-16 packet, no digest", utf16, "City", "Rome"},
           Case{"a packet too large for its segment once changed",
                JpegWith({XmpApp1(full), IptcApp13(&oldIim)}), "ImageCaption",
                std::string(1900, 'c')},
           Case{"a packet that does not parse",
                JpegWith({XmpApp1("<x:xmpmeta><dc:title>unclosed"), IptcApp13(&oldIim)}), "City",
                "New"},
       }) {
    SCOPED_TRACE(c.what);
    const std::string source = Write("source.jpg", c.source);
    Read(source);
    std::map<std::string, std::string> before(plugin.Host().variables.begin(),
                                              plugin.Host().variables.end());
    const std::string written = Rewrite(source, {{c.field, c.value}});
    ASSERT_TRUE(Read(Copy()));
    before["[duxIPTC_" + c.field + "]"] = c.value;
    for (const auto& [name, value] : plugin.Host().variables) {
      if (name.starts_with("[duxIPTC_") && name != "[duxIPTC_Header]") {
        EXPECT_EQ(value, before[name]) << name;
      }
    }
    // Where the packet kept its old values, the digest says the IIM is newer.
    const auto resources = PhotoshopResourcesOf(written);
    if (XmpPacketOf(written) == XmpPacketOf(c.source)) {
      EXPECT_NE(ResourceData(resources, kIptcDigestResource),
                DigestOf(ResourceData(resources, kIptcResource)));
    }
  }
}

TEST_F(Issue29, AReadIsTrueOnlyWhereTheFileStatesAnIptcField) {
  const std::string iim = kVersion + Dataset(2, 90, "Rome");
  struct Case {
    const char* what;
    std::string source;
    bool result;
    const char* header;
    const char* xmp;
  };
  for (const Case& c : {
           Case{"a phone's camera properties",
                ReadFileBytes(CorpusFile("exif-misc/exif_android_qcom_MM.jpg")), false, "0", "0"},
           Case{"a rating alone", JpegWith({XmpApp1(Packet(" xmp:Rating=\"4\"", ""))}), false, "0",
                "0"},
           Case{"an empty caption",
                JpegWith({XmpApp1(Packet("",
                                         "<dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\"/>"
                                         "</rdf:Alt></dc:description>"))}),
                false, "0", "0"},
           Case{"a city in XMP", JpegWith({XmpApp1(Packet(" photoshop:City=\"Rome\"", ""))}), true,
                "0", "1"},
           Case{"an IIM block and camera properties",
                JpegWith({XmpApp1(Packet(" xmp:Rating=\"4\"", "")), IptcApp13(&iim)}), true, "1",
                "0"},
       }) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Read(Write("file.jpg", c.source)), c.result);
    EXPECT_EQ(Variable("Header"), c.header);
    EXPECT_EQ(Variable("XMP"), c.xmp);
  }
}

TEST_F(Issue29, EveryApp0ButTheRebuiltJfifHeaderIsKept) {
  const std::string jfif =
      Segment(0xE0, std::string("JFIF\0\x01\x01\x01\x00\x90\x00\x90\x00\x00", 14));
  const std::string jfxx = Segment(0xE0, std::string("JFXX\0\x13", 6)),
                    avi1 = Segment(0xE0, std::string("AVI1\0\0\0\0", 8));
  struct Case {
    const char* what;
    std::string source;
    std::vector<std::string> kept;  // in this order among the written segments
  };
  for (const Case& c : {
           Case{"JFIF and JFXX", JpegWith({jfif, jfxx}), {jfif, jfxx}},
           Case{"JFIF and AVI1", JpegWith({jfif, avi1}), {jfif, avi1}},
           Case{"a JFXX alone: a JFIF header joins it", JpegWith({jfxx}), {jfxx}},
       }) {
    SCOPED_TRACE(c.what);
    const std::vector<std::string> written =
        LeadingSegments(Rewrite(Write("app0.jpg", c.source), {{"City", "Rome"}}));
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.front().substr(4, 5), std::string("JFIF\0", 5));
    auto from = written.begin();
    for (const std::string& segment : c.kept) {
      from = std::find(from, written.end(), segment);
      EXPECT_NE(from, written.end());
    }
  }
  // A file with EXIF: its JFIF, JFXX, AVI1 and other APP0 segments after the EXIF all stay.
  const std::string corpus = ReadFileBytes(CorpusFile("iptc/iptc_two-app13_com_xmp_exiftool.jpg"));
  const std::vector<std::string> written = LeadingSegments(
      Rewrite(CorpusFile("iptc/iptc_two-app13_com_xmp_exiftool.jpg"), {{"City", "Rome"}}));
  for (const std::string& segment : LeadingSegments(corpus)) {
    if (segment[1] == '\xE0') {
      EXPECT_EQ(std::count(written.begin(), written.end(), segment), 1) << segment.substr(4, 4);
    }
  }
}

TEST_F(Issue29, PhotoshopBlocksThatAreWholeStayApart) {
  const std::string iim = kVersion + Dataset(2, 90, "Old");
  const std::string withIptc = IptcApp13(&iim, &kZeroDigest), other = IptcApp13(nullptr);
  struct Case {
    const char* what;
    std::string source;
  };
  for (const Case& c : {
           Case{"the first holds no IPTC",
                ReadFileBytes(CorpusFile("iptc/iptc_two-app13_first-noiptc.jpg"))},
           Case{"the second holds no IPTC",
                ReadFileBytes(CorpusFile("iptc/iptc_two-app13_second-noiptc.jpg"))},
           Case{"two made blocks", JpegWith({other, withIptc})},
           Case{"a comment between them", JpegWith({withIptc, Segment(0xFE, "between"), other})},
       }) {
    SCOPED_TRACE(c.what);
    const std::string written = Rewrite(Write("two.jpg", c.source), {{"City", "Rome"}});
    // The block without the IPTC stays byte for byte; the other holds each resource once.
    const std::vector<std::string> before = LeadingSegments(c.source),
                                   after = LeadingSegments(written);
    const auto app13 = [](const std::vector<std::string>& segments) {
      std::vector<std::string> out;
      std::copy_if(segments.begin(), segments.end(), std::back_inserter(out),
                   [](const std::string& s) { return s[1] == '\xED'; });
      return out;
    };
    const std::vector<std::string> old13 = app13(before), new13 = app13(after);
    ASSERT_EQ(new13.size(), 2u);
    EXPECT_EQ(std::count_if(old13.begin(), old13.end(),
                            [&](const std::string& s) {
                              return std::count(new13.begin(), new13.end(), s) == 1;
                            }),
              1);
    const auto resources = PhotoshopResourcesOf(written);
    for (const tImageResource& r : resources) {
      EXPECT_EQ(std::count_if(resources.begin(), resources.end(),
                              [&](const tImageResource& o) { return o.id == r.id; }),
                1)
          << r.id;
    }
    ASSERT_TRUE(Read(Copy()));
    EXPECT_EQ(Variable("City"), "Rome");
  }
}

TEST_F(Issue29, StrayBytesAfterTheLastDatasetDoNotStopAWrite) {
  const std::string caption = Dataset(2, 120, "Cap");
  for (const std::string& stray :
       {std::string("\0\x1C", 2), std::string("\x1C"), std::string("x\0", 2)}) {
    SCOPED_TRACE(testing::PrintToString(stray));
    const std::string iim = kVersion + caption + stray;
    const std::string written =
        Rewrite(Write("stray.jpg", JpegWith({IptcApp13(&iim)})), {{"City", "Rome"}});
    EXPECT_EQ(StoredDatasets(written),
              (std::vector<std::string>{kVersion, caption, Dataset(2, 90, "Rome")}));
  }
  // A tag marker that is not 0x1C inside the datasets still refuses, and nothing is written.
  const std::string damaged = kVersion + caption +
                              std::string(
                                  "\x1D\x02\x5A\x00\x03"
                                  "Old",
                                  8);
  const std::string source = Write("damaged.jpg", JpegWith({IptcApp13(&damaged)}));
  Read(source);
  Variable("City") = "Rome";
  std::filesystem::remove(Copy());
  EXPECT_FALSE(plugin.Run(kWrite, {source, Copy()}));
  EXPECT_NE(plugin.Host().variables["[LastError]"].find("damaged"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(Copy()));
}

TEST_F(Issue29, TheDigestFollowsTheNewIimWhereTheOldOneToldNothing) {
  const std::string rome = kVersion + Dataset(2, 90, "Rome");
  const std::string packet = Packet(" photoshop:City=\"Rome\"", "");
  struct Case {
    const char* what;
    std::string source;
    bool follows;
  };
  for (const Case& c : {
           Case{"a digest and no IIM",
                JpegWith({XmpApp1(packet), IptcApp13(nullptr, &kZeroDigest)}), true},
           Case{"a zero digest, the two agree",
                JpegWith({XmpApp1(packet), IptcApp13(&rome, &kZeroDigest)}), true},
           // The IIM is newer for the city: a digest that matched now would bring Paris back.
           Case{"a zero digest, the two disagree",
                JpegWith({XmpApp1(Packet(" photoshop:City=\"Paris\"", "")),
                          IptcApp13(&rome, &kZeroDigest)}),
                false},
       }) {
    SCOPED_TRACE(c.what);
    const auto resources =
        PhotoshopResourcesOf(Rewrite(Write("digest.jpg", c.source), {{"ImageHeadline", "Head"}}));
    const std::string digest = ResourceData(resources, kIptcDigestResource);
    EXPECT_EQ(digest, c.follows ? DigestOf(ResourceData(resources, kIptcResource)) : kZeroDigest);
    ASSERT_TRUE(Read(Copy()));
    EXPECT_EQ(Variable("City"), "Rome");
    EXPECT_EQ(Variable("ImageHeadline"), "Head");
  }
}

class Issue29Created : public Issue29 {
 protected:
  Issue29Created() : Issue29("[Options]\r\nCreateXmp=1\r\n") {}
};

TEST_F(Issue29Created, ThePacketAFileHasIsNeverReplaced) {
  const std::string iim = kVersion + Dataset(2, 90, "Old");
  const std::string rdf =
      "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"><rdf:Description "
      "xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" xmp:CreatorTool=\"Tool\" "
      "xmp:Rating=\"3\"/></rdf:RDF>";
  std::string utf16le;
  for (const char c : "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">" + rdf + "</x:xmpmeta>")
    utf16le += std::string{c, '\0'};
  for (const std::string& packet :
       {"<!DOCTYPE x><x:xmpmeta xmlns:x=\"adobe:ns:meta/\">" + rdf + "</x:xmpmeta>", utf16le,
        "<x:xmpmeta>" + rdf + std::string(1, '\0') + "</x:xmpmeta>", "<x:xmpmeta>" + rdf,
        std::string()}) {
    SCOPED_TRACE(testing::PrintToString(packet.substr(0, 12)));
    const std::string segment = XmpApp1(packet);
    const std::vector<std::string> written = LeadingSegments(
        Rewrite(Write("kept.jpg", JpegWith({segment, IptcApp13(&iim)})), {{"City", "Rome"}}));
    EXPECT_EQ(std::count(written.begin(), written.end(), segment), 1);
    EXPECT_EQ(
        std::count_if(written.begin(), written.end(),
                      [](const std::string& s) { return s.substr(4).starts_with(kXmpSignature); }),
        1);
    ASSERT_TRUE(Read(Copy()));
    EXPECT_EQ(Variable("City"), "Rome");
  }
}

TEST_F(Issue29, ARewrittenPropertyStaysInItsNamespace) {
  struct Case {
    const char* what;
    std::string content;
  };
  for (const Case& c : {
           Case{"a default namespace on the property",
                "<description xmlns=\"http://purl.org/dc/elements/1.1/\"><rdf:Alt><rdf:li "
                "xml:lang=\"x-default\">old</rdf:li>"
                "</rdf:Alt></description><City "
                "xmlns=\"http://ns.adobe.com/photoshop/1.0/\">Old</City>"},
           Case{"a prefix the property declares itself",
                "<d:description xmlns:d=\"http://purl.org/dc/elements/1.1/\"><rdf:Alt><rdf:li "
                "xml:lang=\"x-default\">old"
                "</rdf:li></rdf:Alt></d:description><ps:City "
                "xmlns:ps=\"http://ns.adobe.com/photoshop/1.0/\">Old</ps:City>"},
       }) {
    SCOPED_TRACE(c.what);
    const std::string written = Rewrite(Write("ns.jpg", JpegWith({XmpApp1(Packet("", c.content))})),
                                        {{"City", "Rome"}, {"ImageCaption", "new"}});
    const auto xmp =
        XmpPacket::Parse(XmpPacketOf(written));  // an undeclared prefix would not parse
    ASSERT_TRUE(xmp.has_value()) << XmpPacketOf(written);
    EXPECT_EQ(xmp->Get(kCity), std::vector<std::string>{"Rome"});
    EXPECT_EQ(xmp->Get(kDescription), std::vector<std::string>{"new"});
  }
}

// An ASCII or Latin packet in UTF-16 or UTF-32, either byte order, with a byte order mark.
std::string Encoded(const std::u32string& text, int unit, bool bigEndian) {
  std::string out;
  for (const char32_t c : U"\uFEFF" + text) {
    for (int i = 0; i < unit; ++i) {
      const int shift = 8 * (bigEndian ? unit - 1 - i : i);
      out += static_cast<char>((c >> shift) & 0xFF);
    }
  }
  return out;
}

TEST_F(Issue29, PacketsInUtf16AndUtf32ReadInEitherByteOrder) {
  const std::u32string packet =
      U"<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF "
      U"xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
      U"<rdf:Description xmlns:photoshop=\"http://ns.adobe.com/photoshop/1.0/\" "
      U"photoshop:City=\"K\u00F6ln\"/></rdf:RDF></x:xmpmeta>";
  for (const int unit : {2, 4}) {
    for (const bool bigEndian : {false, true}) {
      for (const std::size_t zeros : {0, 3, 8}) {
        SCOPED_TRACE(std::to_string(unit) + (bigEndian ? " BE" : " LE") +
                     ", zero bytes after: " + std::to_string(zeros));
        EXPECT_TRUE(Read(Write("wide.jpg", JpegWith({XmpApp1(Encoded(packet, unit, bigEndian) +
                                                             std::string(zeros, '\0'))}))));
        EXPECT_EQ(Variable("XMP"), "1");
        EXPECT_EQ(Variable("City"), "K\xF6ln");
      }
    }
  }
}

TEST_F(Issue29, LineBreaksTabsAndControlCharactersReadBackAsWritten) {
  const std::string source =
      Write("text.jpg", JpegWith({XmpApp1(Packet(" photoshop:City=\"Old\"",
                                                 "<photoshop:Headline>h</photoshop:Headline>"))}));
  struct Case {
    const char* what;
    std::string field, written, read;
  };
  for (const Case& c : {
           Case{"CR LF in an element", "ImageHeadline", "a\r\nb\rc", "a\r\nb\rc"},
           Case{"line breaks and a tab in an attribute", "City", "a\tb\nc\r\nd", "a\tb\nc\r\nd"},
           Case{"control characters XML cannot hold", "ImageHeadline", "x\x01y\x1Fz\x7F",
                "xyz\x7F"},
       }) {
    SCOPED_TRACE(c.what);
    const std::string written = Rewrite(source, {{c.field, c.written}});
    ASSERT_TRUE(Read(Copy()));
    EXPECT_EQ(Variable(c.field), c.read);
    // The IIM says the same as the XMP.
    const std::vector<std::string> datasets = StoredDatasets(written);
    const int number = c.field == "City" ? 90 : 105;
    EXPECT_EQ(std::count(datasets.begin(), datasets.end(), Dataset(2, number, c.read)), 1);
  }
}

TEST_F(Issue29, ADigestWithoutXmpFollowsTheIimWhenItChanges) {
  const std::string iim = kVersion + Dataset(2, 90, "Rome");
  const std::string current = DigestOf(iim), stale(16, '\x11');
  for (const std::string* digest : {&current, &stale}) {
    SCOPED_TRACE(digest == &current ? "current" : "stale");
    const std::string source = Write("noxmp.jpg", JpegWith({IptcApp13(&iim, digest)}));
    auto resources = PhotoshopResourcesOf(Rewrite(source, {{"City", "Paris"}}));
    EXPECT_EQ(ResourceData(resources, kIptcDigestResource),
              DigestOf(ResourceData(resources, kIptcResource)));
    // A write that changes nothing leaves the digest as it was.
    resources = PhotoshopResourcesOf(Rewrite(source, {}));
    EXPECT_EQ(ResourceData(resources, kIptcDigestResource), *digest);
  }
}

}  // namespace
}  // namespace dux::test
