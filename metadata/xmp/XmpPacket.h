#pragma once

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An XMP packet as the IPTC fields see it: the properties they map to, where the packet states
// them, and how to change them so that every other byte of the packet stays as it was.
namespace dux {

// What an APP1 segment holding the main XMP packet starts with.
inline constexpr std::string_view kXmpSignature{"http://ns.adobe.com/xap/1.0/\0", 29};

inline constexpr std::string_view kRdfNamespace = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
inline constexpr std::string_view kDcNamespace = "http://purl.org/dc/elements/1.1/";
inline constexpr std::string_view kPhotoshopNamespace = "http://ns.adobe.com/photoshop/1.0/";
inline constexpr std::string_view kIptcCoreNamespace =
    "http://iptc.org/std/Iptc4xmpCore/1.0/xmlns/";

// A character XML cannot hold, not even as a character reference: a control character other
// than tab, line feed and carriage return.
constexpr bool XmlCannotHold(char c) {
  return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

// How a property holds its value: one text, texts per language (rdf:Alt), an unordered or an
// ordered list (rdf:Bag, rdf:Seq).
enum class XmpKind { kText, kLangAlt, kBag, kSeq };

// A property: its namespace, local name, kind, and the prefix it is written with when it is new.
struct tXmpProperty {
  std::string_view ns{};
  std::string_view name{};
  XmpKind kind = XmpKind::kText;
  std::string_view prefix{};
};

class XmpPacket {
 public:
  // Parses a packet (the bytes after the signature). Nothing when it is not well-formed XML, holds
  // a document type declaration (no entity of a packet is ever expanded or fetched), or holds no
  // rdf:RDF element. Only the properties of `namespaces` are looked at, all when none are given:
  // Get and Set know no others.
  // A packet parsed for reading alone is not placed: Get answers as for editing, but it is not
  // Editable, and the work of finding where each node stands is saved.
  enum class Use { kEdit, kRead };
  static std::optional<XmpPacket> Parse(std::string_view packet,
                                        std::vector<std::string_view> namespaces = {},
                                        Use use = Use::kEdit);

  // A property's value in UTF-8, as items: one for a text (a lang-alt gives its x-default, else its
  // first language), every item for a list. Nothing when the packet does not state the property.
  std::optional<std::vector<std::string>> Get(const tXmpProperty& property) const;

  // Whether Set and Serialize can change the packet: it is UTF-8 (no zero byte but the padding
  // after it, which an edit keeps as it is) and its rdf:RDF holds what a property needs to go
  // into.
  bool Editable() const { return editable_; }

  // Gives a property new items (UTF-8); none removes it. A lang-alt keeps its other languages.
  // Where the property stood it stays; a new one joins a description that declares its namespace.
  void Set(const tXmpProperty& property, const std::vector<std::string>& items);

  // The packet with the changes made: every other byte as it was. The padding before the closing
  // xpacket instruction takes up what the changes add or free, while it can.
  std::string Serialize() const;

  // A new packet stating `properties` (those with items), padded for later edits in place.
  static std::string Create(
      const std::vector<std::pair<tXmpProperty, std::vector<std::string>>>& properties);

  // Parse's record of an element or attribute.
  struct tItem {
    std::string lang;  // xml:lang, when given
    std::string text;
    std::size_t begin = 0, end = 0;  // the rdf:li element's bytes
  };
  struct tFound {
    std::string ns, name, qname;  // qname as written: prefix:name
    bool attribute = false;       // stated as an attribute of its description
    std::size_t description = 0;  // index into descriptions_
    std::size_t begin = 0,
                end = 0;  // the element's bytes, or the attribute's (name to closing quote)
    std::vector<std::pair<std::string, std::string>>
        declarations;         // the element's own xmlns: prefix, namespace
    bool container = false;   // holds rdf:Alt, rdf:Bag or rdf:Seq
    bool structured = false;  // holds other elements
    std::string text;
    std::vector<tItem> items;
  };
  struct tDescription {
    std::string qname;         // as written
    std::size_t begin = 0;     // start of its start tag
    std::size_t startEnd = 0;  // one past its start tag
    std::size_t endTag = 0;    // start of its end tag (startEnd - 2 for "/>")
    bool emptyTag = false;     // written as <rdf:Description .../>
    std::vector<std::pair<std::string, std::string>>
        declarations;  // its own xmlns: prefix, namespace
  };

 private:
  friend class XmpParse;
  struct tSplice {
    std::size_t begin = 0, end = 0;
    std::string text;
  };

  const tFound* Find(const tXmpProperty& property) const;
  // The prefixes in scope in a description (SIZE_MAX: at rdf:RDF), by namespace.
  std::map<std::string, std::string> PrefixesOf(std::size_t description) const;
  std::string NewElement(const tXmpProperty& property, const std::vector<std::string>& items,
                         const std::map<std::string, std::string>& prefixes,
                         const tFound* old) const;

  bool Recorded(std::string_view ns) const {
    return namespaces_.empty() ||
           std::find(namespaces_.begin(), namespaces_.end(), ns) != namespaces_.end();
  }

  std::string packet_;
  std::vector<std::string_view> namespaces_;  // recorded; all when empty
  bool editable_ = false;
  std::vector<tFound> found_;
  std::vector<tDescription> descriptions_;
  std::size_t rdfEndTag_ = 0;  // start of </rdf:RDF>
  std::string rdfQname_;       // rdf:RDF as written
  std::vector<std::pair<std::string, std::string>>
      rdfScope_;                        // the xmlns in scope at rdf:RDF, outermost first
  std::optional<std::size_t> trailer_;  // start of <?xpacket end=...?>
  std::vector<tSplice> splices_;
  // New properties by description (SIZE_MAX: a new description), in the order they were set.
  std::vector<std::pair<std::size_t, std::string>> inserts_;
};

}  // namespace dux
