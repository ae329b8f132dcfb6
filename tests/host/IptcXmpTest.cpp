// The IPTC fields where a file keeps them in XMP: read by the Metadata Working Group's rule, and
// kept in step by a write, through the plug-in as the host loads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "metadata/TimgData.h"
#include "metadata/iptc/PhotoshopResources.h"
#include "metadata/jpeg/JpegImage.h"
#include "metadata/xmp/XmpPacket.h"
#include "tests/support/IptcFiles.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/PluginFixture.h"

namespace dux::test {
namespace {

constexpr int kRead = 1, kWrite = 2;

const tXmpProperty kTitle{kDcNamespace, "title", XmpKind::kLangAlt, "dc"};
const tXmpProperty kSubject{kDcNamespace, "subject", XmpKind::kBag, "dc"};
const tXmpProperty kCity{kPhotoshopNamespace, "City", XmpKind::kText, "photoshop"};
const tXmpProperty kHeadline{kPhotoshopNamespace, "Headline", XmpKind::kText, "photoshop"};
const tXmpProperty kDate{kPhotoshopNamespace, "DateCreated", XmpKind::kText, "photoshop"};
const tXmpProperty kRating{"http://ns.adobe.com/xap/1.0/", "Rating", XmpKind::kText, "xmp"};

// A packet as a photo tool leaves one: IPTC fields in three namespaces and as an attribute, a
// namespace of its own, padding.
std::string Packet(const std::string& city =
                       "\xC5\x81\xC3\xB3"
                       "d\xC5\xBA") {  // "Łódź"
  return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
         "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF "
         "xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
         "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\"\n"
         "  xmlns:photoshop=\"http://ns.adobe.com/photoshop/1.0/\" "
         "xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\"\n"
         "  xmlns:Iptc4xmpCore=\"http://iptc.org/std/Iptc4xmpCore/1.0/xmlns/\" "
         "Iptc4xmpCore:Location=\"Pier 4\"\n"
         "  photoshop:City=\"" +
         city +
         "\" xmp:Rating=\"4\">\n"
         " <dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">Caf\xC3\xA9</rdf:li><rdf:li "
         "xml:lang=\"de\">Kaffee</rdf:li></rdf:Alt></dc:title>\n"
         " <dc:subject><rdf:Bag><rdf:li>red</rdf:li><rdf:li>Smith, "
         "John</rdf:li></rdf:Bag></dc:subject>\n"
         " <photoshop:DateCreated>2004-02-20T13:45:01-05:00</photoshop:DateCreated>\n"
         "</rdf:Description></rdf:RDF></x:xmpmeta>\n" +
         std::string(300, ' ') + "\n<?xpacket end=\"w\"?>";
}

// An APP13 with the IPTC resource `iim` and, when given, a digest resource.
std::string IptcApp13(const std::string& iim, const std::string* digest = nullptr) {
  std::string resources = Resource(0x0404, iim);
  if (digest != nullptr) resources += Resource(0x0425, *digest);
  return Segment(0xED, PhotoshopPayload(resources));
}

class IptcXmp : public ::testing::Test {
 protected:
  explicit IptcXmp(const std::string& ini = "") : plugin(ini) {}
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = plugin.Folder().File(name);
    WriteFileBytes(path, bytes);
    return path;
  }
  std::string& Variable(const std::string& field) {
    return plugin.Host().variables["[duxIPTC_" + field + "]"];
  }
  // Reads `source`, lets `edit` change the variables, writes a copy and returns its bytes.
  template <typename Edit>
  std::string Rewrite(const std::string& source, Edit edit) {
    plugin.Run(kRead, {source});  // false for a file with neither IIM nor XMP
    edit();
    const std::string copy = plugin.Folder().File("copy.jpg");
    EXPECT_TRUE(plugin.Run(kWrite, {source, copy})) << plugin.Host().variables["[LastError]"];
    return ReadFileBytes(copy);
  }
  LoadedPlugin plugin;
};

TEST_F(IptcXmp, AFileWithXmpAloneReadsFromItsPacketAndSaysSo) {
  const std::string path = Write("xmp.jpg", JpegWith({XmpApp1(Packet())}));
  EXPECT_TRUE(plugin.Run(kRead, {path}));
  EXPECT_EQ(Variable("Header"), "0");  // no IIM block
  EXPECT_EQ(Variable("XMP"), "1");
  EXPECT_EQ(Variable("ObjectName"), "Caf\xE9");  // x-default, in code page 1252
  EXPECT_EQ(Variable("City"),
            "?\xF3"
            "d?");                                         // what 1252 cannot hold is "?"
  EXPECT_EQ(Variable("Keywords"), "red,\"Smith, John\"");  // a bag, as our comma list
  EXPECT_EQ(Variable("SubLocation"), "Pier 4");            // an attribute
  EXPECT_EQ(Variable("DateCreated"), "20040220");
  EXPECT_EQ(Variable("TimeCreated"), "134501-0500");
  EXPECT_EQ(Variable("ImageCaption"), "");
}

TEST_F(IptcXmp, TheDigestDecidesWhichOfTheTwoAReadTakes) {
  const std::string iim = Dataset(2, 0, std::string("\0\x04", 2)) + Dataset(2, 90, "Rome") +
                          Dataset(2, 105, "IIM head");
  const std::string current = DigestOf(iim), stale = std::string(16, '\x11');
  struct Case {
    const char* what;
    const std::string* digest;
    const char* city;
  };
  for (const Case& c :
       {Case{"no digest: XMP where it states the field", nullptr,
             "?\xF3"
             "d?"},
        Case{"a digest of this IIM: the same", &current,
             "?\xF3"
             "d?"},
        Case{"a stale digest: the IIM was changed without the XMP", &stale, "Rome"}}) {
    SCOPED_TRACE(c.what);
    const std::string path =
        Write("both.jpg", JpegWith({XmpApp1(Packet()), IptcApp13(iim, c.digest)}));
    EXPECT_TRUE(plugin.Run(kRead, {path}));
    EXPECT_EQ(Variable("Header"), "1");
    EXPECT_EQ(Variable("XMP"), "1");
    EXPECT_EQ(Variable("City"), c.city);
    EXPECT_EQ(Variable("ImageHeadline"), "IIM head");  // the packet does not state it
  }
}

TEST_F(IptcXmp, AWriteSetsWhatChangedInThePacketAndLeavesTheRestAsItWas) {
  const std::string source = Write("xmp.jpg", JpegWith({XmpApp1(Packet())}));
  const std::string written = Rewrite(source, [&] {
    Variable("City") = "K\xF6ln";       // changed
    Variable("Keywords") = "";          // emptied: the property goes
    Variable("ImageHeadline") = "New";  // new
  });
  const std::string packet = XmpPacketOf(written);
  const auto xmp = XmpPacket::Parse(packet);
  ASSERT_TRUE(xmp.has_value());
  EXPECT_EQ(xmp->Get(kCity), std::vector<std::string>{"K\xC3\xB6ln"});
  EXPECT_EQ(xmp->Get(kSubject), std::nullopt);
  EXPECT_EQ(xmp->Get(kHeadline), std::vector<std::string>{"New"});
  // Unchanged fields, other languages and other namespaces stay as they were written.
  EXPECT_NE(packet.find("<rdf:li xml:lang=\"de\">Kaffee</rdf:li>"), std::string::npos);
  EXPECT_NE(packet.find("<photoshop:DateCreated>2004-02-20T13:45:01-05:00</photoshop:DateCreated>"),
            std::string::npos);
  EXPECT_NE(packet.find("xmp:Rating=\"4\""), std::string::npos);
  EXPECT_EQ(packet.size(), Packet().size());  // the padding took up the difference
  // The new IIM holds what changed, and the digest says the two agree.
  const auto resources = PhotoshopResourcesOf(written);
  EXPECT_EQ(ResourceData(resources, 0x0425), DigestOf(ResourceData(resources, 0x0404)));
  ASSERT_TRUE(plugin.Run(kRead, {plugin.Folder().File("copy.jpg")}));
  EXPECT_EQ(Variable("City"), "K\xF6ln");
  EXPECT_EQ(Variable("ObjectName"), "Caf\xE9");
  EXPECT_EQ(Variable("Keywords"), "");
}

TEST_F(IptcXmp, TheDigestFollowsTheNewIimOnlyWhenItDidNotSayTheyDiffered) {
  const std::string iim = Dataset(2, 90, "Rome");
  const std::string current = DigestOf(iim), stale = std::string(16, '\x11');
  for (const std::string* digest : {&current, &stale}) {
    SCOPED_TRACE(digest == &current ? "in step" : "stale");
    const std::string source =
        Write("both.jpg", JpegWith({XmpApp1(Packet()), IptcApp13(iim, digest)}));
    const auto resources =
        PhotoshopResourcesOf(Rewrite(source, [&] { Variable("ImageCaption") = "caption"; }));
    const std::string newIim = ResourceData(resources, 0x0404);
    EXPECT_NE(newIim.find("caption"), std::string::npos);
    EXPECT_EQ(ResourceData(resources, 0x0425), digest == &current ? DigestOf(newIim) : stale);
  }
}

TEST_F(IptcXmp, APacketThatDoesNotParseStaysByteForByteAndTheIimIsWritten) {
  const std::string broken =
      XmpApp1("<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF><dc:title>unclosed");
  const std::string source = Write("broken.jpg", JpegWith({broken}));
  EXPECT_FALSE(plugin.Run(kRead, {source}));
  EXPECT_EQ(Variable("XMP"), "0");
  const std::string written = Rewrite(source, [&] { Variable("City") = "Rome"; });
  const std::vector<std::string> segments = LeadingSegments(written);
  EXPECT_EQ(std::count(segments.begin(), segments.end(), broken), 1);
  ASSERT_TRUE(plugin.Run(kRead, {plugin.Folder().File("copy.jpg")}));
  EXPECT_EQ(Variable("City"), "Rome");
}

TEST_F(IptcXmp, ExtendedXmpSegmentsAreNotTouched) {
  const std::string extension =
      Segment(0xE1, std::string("http://ns.adobe.com/xmp/extension/\0", 35) + std::string(32, 'A') +
                        std::string("\0\0\0\x05\0\0\0\0hello", 13));
  const std::string source = Write("extended.jpg", JpegWith({XmpApp1(Packet()), extension}));
  const std::string written = Rewrite(source, [&] { Variable("City") = "Rome"; });
  const std::vector<std::string> segments = LeadingSegments(written);
  EXPECT_EQ(std::count(segments.begin(), segments.end(), extension), 1);
}

TEST_F(IptcXmp, NoPacketIsMadeForAFileWithoutOne) {
  const std::string source = Write("plain.jpg", TinyJpeg());
  EXPECT_EQ(XmpPacketOf(Rewrite(source, [&] { Variable("City") = "Rome"; })), "");
}

class IptcXmpCreated : public IptcXmp {
 protected:
  IptcXmpCreated() : IptcXmp("[Options]\r\nCreateXmp=1\r\n") {}
};

TEST_F(IptcXmpCreated, TheOptionMakesAPacketThatHoldsEveryMappedField) {
  const std::string source = Write("plain.jpg", TinyJpeg());
  const std::string written = Rewrite(source, [&] {
    Variable("City") = "K\xF6ln";
    Variable("ObjectName") = "T";
    Variable("Keywords") = "a,\"b, c\"";
    Variable("DateCreated") = "20240102";
    Variable("TimeCreated") = "030405+0100";
    Variable("Contact") = "no XMP property";
  });
  const auto xmp = XmpPacket::Parse(XmpPacketOf(written));
  ASSERT_TRUE(xmp.has_value());
  EXPECT_EQ(xmp->Get(kCity), std::vector<std::string>{"K\xC3\xB6ln"});
  EXPECT_EQ(xmp->Get(kTitle), std::vector<std::string>{"T"});
  EXPECT_EQ(xmp->Get(kSubject), (std::vector<std::string>{"a", "b, c"}));
  EXPECT_EQ(xmp->Get(kDate), std::vector<std::string>{"2024-01-02T03:04:05+01:00"});
  EXPECT_EQ(xmp->Get(kRating), std::nullopt);
  const auto resources = PhotoshopResourcesOf(written);
  EXPECT_EQ(ResourceData(resources, 0x0425), DigestOf(ResourceData(resources, 0x0404)));
}

}  // namespace
}  // namespace dux::test
