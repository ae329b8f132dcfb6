#include "metadata/xmp/XmpPacket.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dux {
namespace {

using Items = std::vector<std::string>;

const tXmpProperty kCity{kPhotoshopNamespace, "City", XmpKind::kText, "photoshop"};
const tXmpProperty kHeadline{kPhotoshopNamespace, "Headline", XmpKind::kText, "photoshop"};
const tXmpProperty kTitle{kDcNamespace, "title", XmpKind::kLangAlt, "dc"};
const tXmpProperty kSubject{kDcNamespace, "subject", XmpKind::kBag, "dc"};
const tXmpProperty kCreator{kDcNamespace, "creator", XmpKind::kSeq, "dc"};
const tXmpProperty kLocation{kIptcCoreNamespace, "Location", XmpKind::kText, "Iptc4xmpCore"};

// A packet as writers lay one out: a simple property as an attribute, others as elements, other
// namespaces beside them, and padding before the closing instruction.
std::string Packet(const std::string& padding = std::string(200, ' ') + "\n") {
  return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
         "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
         " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
         "  <rdf:Description rdf:about=\"\" "
         "xmlns:photoshop=\"http://ns.adobe.com/photoshop/1.0/\"\n"
         "    photoshop:City=\"K&amp;ln\" photoshop:Credit='me'>\n"
         "   <photoshop:Instructions>none</photoshop:Instructions>\n"
         "  </rdf:Description>\n"
         "  <rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
         "xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n"
         "   <dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">Old title</rdf:li><rdf:li "
         "xml:lang=\"de\">Alter Titel</rdf:li></rdf:Alt></dc:title>\n"
         "   <dc:subject><rdf:Bag><rdf:li>red</rdf:li><rdf:li>Smith, "
         "John</rdf:li></rdf:Bag></dc:subject>\n"
         "   <dc:creator><rdf:Seq><rdf:li>Anna</rdf:li></rdf:Seq></dc:creator>\n"
         "   <xmp:Rating>3</xmp:Rating>\n"
         "  </rdf:Description>\n"
         " </rdf:RDF>\n"
         "</x:xmpmeta>\n" +
         padding + "<?xpacket end=\"w\"?>";
}

TEST(XmpPacket, ReadsTextsLanguagesAndListsWhereverTheyStand) {
  // Parsed for editing, and for reading alone (without the places of its nodes): the same values.
  for (const auto use : {XmpPacket::Use::kEdit, XmpPacket::Use::kRead}) {
    SCOPED_TRACE(use == XmpPacket::Use::kEdit ? "for editing" : "for reading");
    const auto packet = XmpPacket::Parse(Packet(), {}, use);
    ASSERT_TRUE(packet.has_value());
    EXPECT_EQ(packet->Editable(), use == XmpPacket::Use::kEdit);
    EXPECT_EQ(packet->Get(kCity), Items{"K&ln"});  // an attribute, entity decoded
    EXPECT_EQ(packet->Get(kTitle), Items{"Old title"});
    EXPECT_EQ(packet->Get(kSubject), (Items{"red", "Smith, John"}));
    EXPECT_EQ(packet->Get(kCreator), Items{"Anna"});
    EXPECT_EQ(packet->Get({kPhotoshopNamespace, "Instructions", XmpKind::kText, "photoshop"}),
              Items{"none"});
    EXPECT_EQ(packet->Get(kHeadline), std::nullopt);
  }
  EXPECT_EQ(XmpPacket::Parse(Packet())->Serialize(), Packet());  // nothing changed, nothing moves
}

TEST(XmpPacket, ChangesOnlyWhatItIsToldAndKeepsItsLength) {
  auto packet = XmpPacket::Parse(Packet());
  ASSERT_TRUE(packet.has_value());
  packet->Set(kCity, {"Rom"});
  packet->Set(kTitle, {"New <title>"});
  packet->Set(kSubject, {"blue"});
  packet->Set(kCreator, {});
  packet->Set(kHeadline, {"Head"});
  packet->Set(kLocation, {"Pier"});
  const std::string out = packet->Serialize();
  EXPECT_EQ(out.size(), Packet().size());  // the padding took up the difference
  const auto again = XmpPacket::Parse(out);
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->Get(kCity), Items{"Rom"});
  EXPECT_EQ(again->Get(kTitle), Items{"New <title>"});
  EXPECT_EQ(again->Get(kSubject), Items{"blue"});
  EXPECT_EQ(again->Get(kCreator), std::nullopt);
  EXPECT_EQ(again->Get(kHeadline), Items{"Head"});
  EXPECT_EQ(again->Get(kLocation), Items{"Pier"});
  // What was not changed stays as it was written.
  EXPECT_NE(out.find("photoshop:Credit='me'"), std::string::npos);
  EXPECT_NE(out.find("<rdf:li xml:lang=\"de\">Alter Titel</rdf:li>"), std::string::npos);
  EXPECT_NE(out.find("<xmp:Rating>3</xmp:Rating>"), std::string::npos);
  EXPECT_NE(out.find("<photoshop:Instructions>none</photoshop:Instructions>"), std::string::npos);
  // The new Headline joined the description that declares its namespace; the Location declares its
  // own.
  EXPECT_LT(out.find("<photoshop:Headline>"), out.find("xmlns:dc="));
  EXPECT_NE(out.find("<Iptc4xmpCore:Location "
                     "xmlns:Iptc4xmpCore=\"http://iptc.org/std/Iptc4xmpCore/1.0/xmlns/\">Pier<"),
            std::string::npos);
}

TEST(XmpPacket, TextsReadBackAsSetButForWhatXmlCannotHold) {
  struct Case {
    const char* what;
    std::string set, read;
  };
  for (const Case& c : {
           Case{"markup", "a&b<c>\"d'", "a&b<c>\"d'"},
           Case{"CR LF, a lone CR and a tab", "a\r\nb\rc\td", "a\r\nb\rc\td"},
           Case{"line breaks at the ends", "\nx\n", "\nx\n"},
           Case{"control characters", std::string("x\x01y\x1Fz\0", 7), "xyz"},
       }) {
    SCOPED_TRACE(c.what);
    // photoshop:City is an attribute, photoshop:Instructions an element, Headline a new element.
    const tXmpProperty instructions{kPhotoshopNamespace, "Instructions", XmpKind::kText,
                                    "photoshop"};
    for (const tXmpProperty& property : {kCity, instructions, kHeadline, kTitle}) {
      SCOPED_TRACE(std::string(property.name));
      auto packet = XmpPacket::Parse(Packet());
      ASSERT_TRUE(packet.has_value());
      packet->Set(property, {c.set});
      const auto again = XmpPacket::Parse(packet->Serialize());
      ASSERT_TRUE(again.has_value()) << packet->Serialize();
      EXPECT_EQ(again->Get(property), Items{c.read});
    }
  }
}

TEST(XmpPacket, GrowsWhenThePaddingIsTooSmallAndPadsWhenItShrinks) {
  auto full = XmpPacket::Parse(Packet("\n"));
  ASSERT_TRUE(full.has_value());
  full->Set(kHeadline, {std::string(500, 'h')});
  const std::string grown = full->Serialize();
  EXPECT_GT(grown.size(), Packet("\n").size());
  EXPECT_TRUE(XmpPacket::Parse(grown).has_value());
  auto shrinking = XmpPacket::Parse(Packet());
  ASSERT_TRUE(shrinking.has_value());
  shrinking->Set(kSubject, {});
  EXPECT_EQ(shrinking->Serialize().size(), Packet().size());
}

TEST(XmpPacket, AnEmptyDescriptionTakesAPropertyAndANewPacketReadsBack) {
  const std::string bare =
      "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF "
      "xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
      "<rdf:Description rdf:about=\"\"/></rdf:RDF></x:xmpmeta>";
  auto packet = XmpPacket::Parse(bare);
  ASSERT_TRUE(packet.has_value());
  packet->Set(kCity, {"Oslo"});
  packet->Set(kSubject, {"fjord", "boat"});  // a second one into the same empty description
  const auto again = XmpPacket::Parse(packet->Serialize());
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->Get(kCity), Items{"Oslo"});
  EXPECT_EQ(again->Get(kSubject), (Items{"fjord", "boat"}));
  const auto created =
      XmpPacket::Parse(XmpPacket::Create({{kTitle, {"T"}}, {kSubject, {"a", "b"}}, {kCity, {}}}));
  ASSERT_TRUE(created.has_value());
  EXPECT_EQ(created->Get(kTitle), Items{"T"});
  EXPECT_EQ(created->Get(kSubject), (Items{"a", "b"}));
  EXPECT_EQ(created->Get(kCity), std::nullopt);
}

TEST(XmpPacket, APrefixBoundAgainIsNotTakenForTheNamespaceItShadows) {
  // "dc" names Dublin Core on the packet but something else in the description.
  const std::string shadowed =
      "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
      "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
      "<rdf:Description rdf:about=\"\" "
      "xmlns:dc=\"urn:other\"><dc:title>other</dc:title></rdf:Description>"
      "</rdf:RDF></x:xmpmeta>";
  auto packet = XmpPacket::Parse(shadowed);
  ASSERT_TRUE(packet.has_value());
  EXPECT_EQ(packet->Get(kTitle), std::nullopt);
  packet->Set(kTitle, {"T"});
  const std::string out = packet->Serialize();
  const auto again = XmpPacket::Parse(out);
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->Get(kTitle), Items{"T"});
  EXPECT_EQ(again->Get({"urn:other", "title", XmpKind::kText, "dc"}), Items{"other"});
}

TEST(XmpPacket, APropertyStatedTwiceIsReadFromTheFirstAndWrittenOnce) {
  const std::string twice =
      "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF "
      "xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
      "<rdf:Description xmlns:photoshop=\"http://ns.adobe.com/photoshop/1.0/\" "
      "photoshop:City=\"A\" photoshop:City=\"B\"/>"
      "<rdf:Description "
      "xmlns:photoshop=\"http://ns.adobe.com/photoshop/1.0/\"><photoshop:City>C</photoshop:City></"
      "rdf:Description>"
      "</rdf:RDF></x:xmpmeta>";
  auto packet = XmpPacket::Parse(twice);
  ASSERT_TRUE(packet.has_value());
  EXPECT_EQ(packet->Get(kCity), Items{"A"});
  packet->Set(kCity, {"Rome"});
  const std::string out = packet->Serialize();
  EXPECT_EQ(out.find("\"B\""), std::string::npos) << out;
  EXPECT_EQ(out.find(">C<"), std::string::npos) << out;
  EXPECT_EQ(XmpPacket::Parse(out)->Get(kCity), Items{"Rome"});
  auto removing = XmpPacket::Parse(twice);
  removing->Set(kCity, {});
  EXPECT_EQ(XmpPacket::Parse(removing->Serialize())->Get(kCity), std::nullopt);
}

TEST(XmpPacket, HostilePacketsAreRefusedWithoutExpandingOrFetchingAnything) {
  const std::string rdf =
      "<rdf:RDF "
      "xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"><rdf:Description/></rdf:RDF>";
  struct Case {
    const char* what;
    std::string packet;
  };
  for (const Case& c : {
           Case{"unclosed tag", "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">" + rdf},
           Case{"entity expansion",
                "<!DOCTYPE x [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
                "\"&a;&a;&a;&a;&a;&a;&a;&a;\">]><x>" +
                    rdf + "&b;</x>"},
           Case{"external entity",
                "<!DOCTYPE x [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><x>&e;" + rdf + "</x>"},
           Case{"a document type alone", "<!DOCTYPE x><x>" + rdf + "</x>"},
           Case{"a zero byte inside", "<x>" + rdf + std::string(1, '\0') + "</x>"},
           Case{"no RDF", "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"/>"},
           Case{"nothing", ""},
       }) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(XmpPacket::Parse(c.packet).has_value());
  }
  // Bytes that are not UTF-8 are read as they stand: the conversion to code page 1252 makes them
  // "?", and one bad byte does not hide the rest of the packet.
  const std::string badByte =
      "<x><rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"><rdf:Description "
      "xmlns:photoshop=\"http://ns.adobe.com/photoshop/1.0/\" "
      "photoshop:City=\"\xC3\x28\"/></rdf:RDF></x>";
  ASSERT_TRUE(XmpPacket::Parse(badByte).has_value());
  EXPECT_EQ(XmpPacket::Parse(badByte)->Get(kCity), Items{"\xC3\x28"});
  // Zero bytes after the packet are padding: it reads, and an edit keeps them after it.
  auto zeroPadded = XmpPacket::Parse(Packet() + std::string(3, '\0'));
  ASSERT_TRUE(zeroPadded.has_value());
  EXPECT_EQ(zeroPadded->Get(kCity), Items{"K&ln"});
  ASSERT_TRUE(zeroPadded->Editable());
  zeroPadded->Set(kCity, {"Rome"});
  const std::string edited = zeroPadded->Serialize();
  EXPECT_TRUE(edited.ends_with("?>" + std::string(3, '\0')));
  EXPECT_EQ(XmpPacket::Parse(edited)->Get(kCity), Items{"Rome"});
  // 60 KB of one element reads.
  const std::string big =
      "<x><rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"><rdf:Description "
      "xmlns:photoshop=\"http://ns.adobe.com/photoshop/1.0/\"><photoshop:City>" +
      std::string(60000, 'c') + "</photoshop:City></rdf:Description></rdf:RDF></x>";
  const auto packet = XmpPacket::Parse(big);
  ASSERT_TRUE(packet.has_value());
  EXPECT_EQ(packet->Get(kCity), Items{std::string(60000, 'c')});
}

TEST(XmpPacket, AReadLeavesOutTheClosingInstructionAndItsPaddingAndNothingElse) {
  const std::string rdf =
      "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"><rdf:Description "
      "xmlns:photoshop=\"http://ns.adobe.com/photoshop/1.0/\" photoshop:City=\"Rome\"/></rdf:RDF>";
  const std::string trailer = std::string(2000, ' ') + "\n<?xpacket end=\"w\"?>  \n";
  struct Case {
    const char* what;
    std::string packet;
    bool reads;
  };
  for (const Case& c : {
           Case{"a whole packet",
                "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">" + rdf + "</x:xmpmeta>" + trailer, true},
           Case{"an unclosed tag before the instruction",
                "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">" + rdf + trailer, false},
           Case{"a document type", "<!DOCTYPE x><x>" + rdf + "</x>" + trailer, false},
           Case{"an unclosed comment around the instruction", "<x>" + rdf + "</x><!-- " + trailer,
                false},
           Case{"an element after the instruction", "<x>" + rdf + "</x>" + trailer + "<y/>", true},
           Case{"an instruction closed twice", "<x>" + rdf + "</x><?xpacket end=\"w\"?>?>", true},
           // The last "<?xpacket" stands inside an instruction that only the last "?>" closes.
           Case{"an instruction left open before it",
                "<x>" + rdf + "</x><?xpacket b id=\"W5 & " + trailer, true},
           Case{"a zero byte in the instruction",
                "<x>" + rdf + "</x>\n<?xpacket end" + std::string(1, '\0') + "g?>", false},
           Case{"the instruction alone", trailer, false},
       }) {
    SCOPED_TRACE(c.what);
    // A read finds what a parse for editing, which keeps every byte, finds.
    const auto edit = XmpPacket::Parse(c.packet);
    const auto read = XmpPacket::Parse(c.packet, {}, XmpPacket::Use::kRead);
    EXPECT_EQ(edit.has_value(), c.reads);
    ASSERT_EQ(read.has_value(), edit.has_value());
    if (read) {
      EXPECT_EQ(read->Get(kCity), edit->Get(kCity));
    }
  }
}

}  // namespace
}  // namespace dux
