#include "metadata/xmp/XmpPacket.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include <pugixml.hpp>

#include "metadata/xmp/XmlText.h"
#include "text/AsciiText.h"

// Reading a packet: parsing it, recording where each property and description stands, and
// answering for a property's value.
namespace dux {
namespace {

constexpr std::string_view kXmlNamespace = "http://www.w3.org/XML/1998/namespace";

// The packet without its closing <?xpacket ...?> instruction and the blanks before and after it:
// the padding writers leave for edits in place, often half the packet, which a read need not
// copy and parse. Only an instruction that ends the packet and holds no other "?>" and no zero
// byte goes.
std::string_view WithoutTrailer(std::string_view xml) {
  // The padding is mostly spaces: eight of them are passed at a time. (find_last_not_of with a
  // set of blanks would ask memchr of every byte.)
  const auto lastNotBlank = [&xml](std::size_t end) {
    constexpr std::uint64_t kSpaces = 0x2020202020202020;
    for (;;) {
      std::uint64_t eight = 0;
      while (end >= 8 && (std::memcpy(&eight, xml.data() + end - 8, 8), eight == kSpaces)) end -= 8;
      if (end == 0 || !IsXmlBlank(xml[end - 1])) return end;  // one past it; 0 when there is none
      --end;
    }
  };
  const std::size_t end = lastNotBlank(xml.size());
  if (end < 2 || xml.substr(end - 2, 2) != "?>") return xml;
  const std::size_t open = xml.rfind("<?xpacket", end - 1);
  if (open == std::string_view::npos) return xml;
  const std::string_view instruction = xml.substr(open, end - open);
  // A zero byte would have sent the whole packet through a conversion, and this part not.
  if (instruction.size() < 12 || !IsXmlBlank(instruction[9]) ||
      instruction.find("?>") != instruction.size() - 2 ||
      instruction.find('\0') != std::string_view::npos) {
    return xml;
  }
  const std::size_t kept = lastNotBlank(open);
  return kept == 0 ? xml : xml.substr(0, kept);
}

// The packet without the zero bytes some writers leave after it as padding, taken off in whole
// code units: a packet in UTF-16 or UTF-32 (its byte order mark, or its first '<', says which)
// ends in a unit with zero bytes of its own, ">\0" in little-endian UTF-16.
std::string_view WithoutZeroPadding(std::string_view packet) {
  // A packet without zero bytes of its own is UTF-8 (or bytes of another 8-bit code), whatever
  // its first bytes look like: every zero byte after it is padding.
  const std::string_view bare = packet.substr(0, packet.find_last_not_of('\0') + 1);
  if (bare.find('\0') == std::string_view::npos) return bare;
  const auto startsWith = [&packet](std::string_view head) { return packet.starts_with(head); };
  using namespace std::string_view_literals;
  std::size_t unit = 1;
  if (startsWith("\xFF\xFE\0\0"sv) || startsWith("\0\0\xFE\xFF"sv) || startsWith("<\0\0\0"sv) ||
      startsWith("\0\0\0<"sv)) {
    unit = 4;
  } else if (startsWith("\xFF\xFE"sv) || startsWith("\xFE\xFF"sv) || startsWith("<\0"sv) ||
             startsWith("\0<"sv)) {
    unit = 2;
  }
  const auto zeros = [](std::string_view bytes) {
    return bytes.find_first_not_of('\0') == std::string_view::npos;
  };
  std::size_t size = packet.size();
  if (zeros(packet.substr(size - size % unit)))
    size -= size % unit;  // a unit cut short by the segment
  while (size >= unit && zeros(packet.substr(size - unit, unit))) size -= unit;
  return packet.substr(0, size);
}

// Walks the attributes of a well-formed start tag in the order they stand.
class AttributeCursor {
 public:
  explicit AttributeCursor(std::string_view tag) : tag_(tag) {
    while (pos_ < tag_.size() && !IsXmlBlank(tag_[pos_]) && tag_[pos_] != '/' && tag_[pos_] != '>')
      ++pos_;  // the name
  }

  // The place of the attribute `qname` at or after the last one found: from the blanks before
  // its name to one past its closing quote. Nothing when the rest of the tag does not hold it.
  std::optional<std::pair<std::size_t, std::size_t>> Next(std::string_view qname) {
    while (pos_ < tag_.size()) {
      const std::size_t blanks = pos_;
      while (pos_ < tag_.size() && IsXmlBlank(tag_[pos_])) ++pos_;
      if (pos_ >= tag_.size() || tag_[pos_] == '/' || tag_[pos_] == '>') break;
      const std::size_t nameStart = pos_;
      while (pos_ < tag_.size() && !IsXmlBlank(tag_[pos_]) && tag_[pos_] != '=') ++pos_;
      const std::string_view name = tag_.substr(nameStart, pos_ - nameStart);
      while (pos_ < tag_.size() && tag_[pos_] != '\'' && tag_[pos_] != '"') ++pos_;
      if (pos_ >= tag_.size()) break;
      const auto close = tag_.find(tag_[pos_], pos_ + 1);
      if (close == std::string_view::npos) break;
      pos_ = close + 1;
      if (name == qname) return std::make_pair(blanks, pos_);
    }
    pos_ = tag_.size();
    return std::nullopt;
  }

 private:
  std::string_view tag_;
  std::size_t pos_ = 1;
};

// The element children of a node.
pugi::xml_node NextElement(const pugi::xml_node& node) {
  pugi::xml_node next = node.next_sibling();
  while (next && next.type() != pugi::node_element) next = next.next_sibling();
  return next;
}
pugi::xml_node FirstElement(const pugi::xml_node& node) {
  const pugi::xml_node first = node.first_child();
  return !first || first.type() == pugi::node_element ? first : NextElement(first);
}

// A namespace and a local name.
struct tExpanded {
  std::string_view ns, local;
  bool Is(std::string_view n, std::string_view l) const { return local == l && ns == n; }
};

}  // namespace

// Reads a parsed document into the packet's record. The document's strings point into the
// parsed copy of the packet, which places its nodes; where a tag or a node ends, which pugixml
// does not keep, is found by scanning the packet's bytes from there.
class XmpParse {
 public:
  // `copy`: the bytes parsed in place, the packet's own; null when the document was converted
  // from another encoding, whose nodes cannot be placed.
  // `place`: find where each node stands, for editing.
  XmpParse(XmpPacket& packet, const char* copy, bool place)
      : packet_(packet), text_(packet.packet_), base_(copy), place_(place) {}

  bool Run(const pugi::xml_document& document) {
    for (pugi::xml_node n = document.first_child(); n; n = n.next_sibling()) {
      if (n.type() == pugi::node_doctype)
        return false;  // no document type: no entity of a packet is ever declared
      if (place_ && n.type() == pugi::node_pi && std::string_view(n.name()) == "xpacket" &&
          std::string_view(n.value()).starts_with("end")) {
        if (const auto at = Offset(n.name())) packet_.trailer_ = *at - 2;
      }
    }
    // The packet's one rdf:RDF: the first in document order. One inside it is content.
    struct tVisit {
      pugi::xml_node node;
      std::size_t scope;  // the declarations in scope before the node's own
    };
    std::vector<tVisit> pending;
    for (pugi::xml_node n = document.last_child(); n; n = n.previous_sibling())
      pending.push_back({n, 0});
    while (!pending.empty()) {
      const tVisit visit = pending.back();
      pending.pop_back();
      if (visit.node.type() != pugi::node_element) continue;
      scope_.resize(visit.scope);
      Declare(visit.node);
      if (Expanded(visit.node.name()).Is(kRdfNamespace, "RDF")) {
        ReadRdf(visit.node);
        return true;
      }
      const std::size_t scope = scope_.size();
      for (pugi::xml_node child = visit.node.last_child(); child; child = child.previous_sibling())
        pending.push_back({child, scope});
    }
    return false;
  }

  bool Unplaced() const { return unplaced_; }

 private:
  // Where a string of the parsed copy stands in the packet.
  std::optional<std::size_t> Offset(const char* text) {
    const auto at = reinterpret_cast<std::uintptr_t>(text),
               base = reinterpret_cast<std::uintptr_t>(base_);
    if (base_ == nullptr || at < base || at - base > text_.size()) {
      unplaced_ = true;
      return std::nullopt;
    }
    return at - base;
  }

  // The xmlns attributes of an element join the declarations in scope.
  void Declare(const pugi::xml_node& element) {
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
      const std::string_view name = a.name();
      if (!name.starts_with("xmlns")) continue;
      if (name.size() == 5) scope_.emplace_back("", a.value());
      if (name.size() > 6 && name[5] == ':') scope_.emplace_back(name.substr(6), a.value());
    }
  }
  // The declarations an element makes itself, for the record.
  static std::vector<std::pair<std::string, std::string>> OwnDeclarations(
      const pugi::xml_node& element) {
    std::vector<std::pair<std::string, std::string>> own;
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
      const std::string_view name = a.name();
      if (name == "xmlns") own.emplace_back("", a.value());
      if (name.size() > 6 && name.starts_with("xmlns:"))
        own.emplace_back(name.substr(6), a.value());
    }
    return own;
  }

  // A written name's namespace and local name; an undeclared prefix has no namespace, nor has an
  // attribute without a prefix.
  tExpanded Expanded(std::string_view qname, bool attribute = false) const {
    const auto colon = qname.find(':');
    const std::string_view prefix =
        colon == std::string_view::npos ? std::string_view() : qname.substr(0, colon);
    const std::string_view local =
        colon == std::string_view::npos ? qname : qname.substr(colon + 1);
    if (prefix == "xml") return {kXmlNamespace, local};
    if (prefix.empty() && attribute) return {{}, local};
    for (auto d = scope_.rbegin(); d != scope_.rend(); ++d) {
      if (d->first == prefix) return {d->second, local};
    }
    return {{}, local};
  }

  // The start of an element's start tag, and one past it (the tag is well-formed: a '>' outside
  // the quotes of its attribute values ends it).
  std::size_t StartOf(const pugi::xml_node& element) {
    return Offset(element.name()).value_or(1) - 1;
  }
  std::size_t StartTagEnd(std::size_t start) const {
    char quote = 0;
    for (std::size_t i = start; i < text_.size(); ++i) {
      const char c = text_[i];
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '>') {
        return i + 1;
      }
    }
    return text_.size();
  }

  // Where an element ends: its end tag follows its last child, which ends after the markup that
  // closes it; an element with nothing in it may be one empty-element tag.
  struct tEnds {
    std::size_t endTag = 0, end = 0;  // endTag: where "</" starts (where "/>" starts for <a/>)
    bool emptyTag = false;
  };
  tEnds EndsOf(const pugi::xml_node& element) {
    std::vector<pugi::xml_node> chain = {element};  // the last children, then the ends from within
    while (chain.back().type() == pugi::node_element && chain.back().last_child())
      chain.push_back(chain.back().last_child());
    std::size_t at = 0;
    tEnds ends;
    for (auto n = chain.rbegin(); n != chain.rend(); ++n) {
      switch (n->type()) {
        case pugi::node_element: {
          if (!n->first_child()) {
            at = StartTagEnd(StartOf(*n));
            if (at >= 2 && text_[at - 2] == '/') {
              ends = {at - 2, at, true};
              break;
            }
          }
          const std::size_t endTag = std::min(text_.find("</", at), text_.size());
          at = StartTagEnd(endTag);
          ends = {endTag, at, false};
          break;
        }
        case pugi::node_pcdata:  // text holds no '<'
          at = std::min(text_.find('<', Offset(n->value()).value_or(text_.size())), text_.size());
          break;
        case pugi::node_cdata:
          at = After(n->value(), "]]>");
          break;
        case pugi::node_comment:
          at = After(n->value(), "-->");
          break;
        default:  // an instruction
          at = After(n->name(), "?>");
          break;
      }
    }
    return ends;
  }
  std::size_t After(const char* from, std::string_view closing) {
    const std::size_t found = text_.find(closing, Offset(from).value_or(text_.size()));
    return found == std::string_view::npos ? text_.size() : found + closing.size();
  }

  // The text an element holds itself.
  static std::string TextOf(const pugi::xml_node& element) {
    std::string text;
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
      if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
        text += child.value();
    }
    return text;
  }

  void ReadRdf(const pugi::xml_node& rdf) {
    packet_.rdfQname_ = rdf.name();
    for (const auto& [prefix, ns] : scope_) packet_.rdfScope_.emplace_back(prefix, ns);
    if (place_) {
      const tEnds ends = EndsOf(rdf);
      packet_.rdfEndTag_ = ends.emptyTag ? 0 : ends.endTag;
    }
    const std::size_t scope = scope_.size();
    for (pugi::xml_node element = FirstElement(rdf); element; element = NextElement(element)) {
      scope_.resize(scope);
      Declare(element);
      ReadDescription(element);
    }
  }

  void ReadDescription(const pugi::xml_node& element) {
    XmpPacket::tDescription description;
    description.qname = element.name();
    if (place_) {
      description.begin = StartOf(element);
      description.startEnd = StartTagEnd(description.begin);
      const tEnds ends = EndsOf(element);
      description.emptyTag = ends.emptyTag;
      description.endTag = ends.endTag;
      description.declarations = OwnDeclarations(element);
    }
    const std::size_t index = packet_.descriptions_.size();
    AttributeCursor cursor(std::string_view(text_).substr(
        description.begin, description.startEnd - description.begin));
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
      const auto span = place_ ? cursor.Next(a.name()) : std::nullopt;
      const tExpanded name = Expanded(a.name(), true);
      if (name.ns.empty() || name.ns == kRdfNamespace || name.ns == kXmlNamespace ||
          !packet_.Recorded(name.ns))
        continue;
      if (place_ && !span) unplaced_ = true;  // read all the same; only an edit needs the place
      XmpPacket::tFound found;
      found.ns = name.ns;
      found.name = name.local;
      found.qname = a.name();
      found.attribute = true;
      found.description = index;
      found.text = a.value();
      if (span) {
        found.begin = description.begin + span->first;
        found.end = description.begin + span->second;
      }
      packet_.found_.push_back(std::move(found));
    }
    packet_.descriptions_.push_back(std::move(description));
    const std::size_t scope = scope_.size();
    for (pugi::xml_node property = FirstElement(element); property;
         property = NextElement(property)) {
      scope_.resize(scope);
      Declare(property);
      ReadProperty(property, index);
    }
  }

  void ReadProperty(const pugi::xml_node& element, std::size_t description) {
    const tExpanded name = Expanded(element.name());
    if (!packet_.Recorded(name.ns)) return;
    XmpPacket::tFound found;
    found.ns = name.ns;
    found.name = name.local;
    found.qname = element.name();
    found.description = description;
    if (place_) {
      found.begin = StartOf(element);
      found.end = EndsOf(element).end;
      found.declarations = OwnDeclarations(element);
    }
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
      if (Expanded(a.name(), true).Is(kRdfNamespace, "parseType")) found.structured = true;
    }
    found.text = TextOf(element);
    const std::size_t scope = scope_.size();
    for (pugi::xml_node child = FirstElement(element); child; child = NextElement(child)) {
      scope_.resize(scope);
      Declare(child);
      const tExpanded container = Expanded(child.name());
      if (!container.Is(kRdfNamespace, "Alt") && !container.Is(kRdfNamespace, "Bag") &&
          !container.Is(kRdfNamespace, "Seq")) {
        found.structured = true;
        continue;
      }
      found.container = true;
      const std::size_t containerScope = scope_.size();
      for (pugi::xml_node item = FirstElement(child); item; item = NextElement(item)) {
        scope_.resize(containerScope);
        Declare(item);
        if (!Expanded(item.name()).Is(kRdfNamespace, "li")) continue;
        if (FirstElement(item)) found.structured = true;
        XmpPacket::tItem entry;
        for (pugi::xml_attribute a = item.first_attribute(); a; a = a.next_attribute()) {
          if (Expanded(a.name(), true).Is(kXmlNamespace, "lang")) entry.lang = a.value();
        }
        entry.text = TextOf(item);
        if (place_) {
          entry.begin = StartOf(item);
          entry.end = EndsOf(item).end;
        }
        found.items.push_back(std::move(entry));
      }
    }
    packet_.found_.push_back(std::move(found));
  }

  XmpPacket& packet_;
  const std::string& text_;  // the packet as it stands
  const char* base_;         // the copy parsed in place
  std::vector<std::pair<std::string_view, std::string_view>>
      scope_;  // prefix, namespace: the document's strings
  bool place_;
  bool unplaced_ = false;  // a node could not be placed in the packet
};

std::optional<XmpPacket> XmpPacket::Parse(std::string_view packet,
                                          std::vector<std::string_view> namespaces, Use use) {
  XmpPacket result;
  if (use == Use::kEdit)
    result.packet_ = packet;  // what an edit splices into; a read keeps the values only
  result.namespaces_ = std::move(namespaces);
  // Every kind of node is kept, so that each can be placed; a text of blanks alone is kept too.
  constexpr unsigned kOptions = pugi::parse_default | pugi::parse_pi | pugi::parse_comments |
                                pugi::parse_declaration | pugi::parse_doctype |
                                pugi::parse_ws_pcdata_single;
  pugi::xml_document document;
  std::string copy;
  const std::string_view xml = WithoutZeroPadding(packet);
  bool utf8 = false;
  const auto load = [&](std::string_view text) {
    utf8 = text.find('\0') == std::string_view::npos;
    if (!utf8)
      return static_cast<bool>(
          document.load_buffer(text.data(), text.size(), kOptions, pugi::encoding_auto));
    copy = text;
    return static_cast<bool>(
        document.load_buffer_inplace(copy.data(), copy.size(), kOptions, pugi::encoding_utf8));
  };
  // A read parses the packet without its closing instruction and padding first. What parses
  // without them parses with them, to the same elements; what does not (an instruction left
  // open before them, which their "?>" closes) is parsed whole.
  const std::string_view shorter = use == Use::kRead ? WithoutTrailer(xml) : xml;
  if (!load(shorter) && (shorter.size() == xml.size() || !load(xml))) return std::nullopt;
  XmpParse parse(result, utf8 ? copy.data() : nullptr, use == Use::kEdit);
  if (!parse.Run(document)) return std::nullopt;
  // Zero bytes after a UTF-8 packet stay after it, as they were.
  result.editable_ = use == Use::kEdit && utf8 && result.rdfEndTag_ != 0 && !parse.Unplaced();
  return result;
}

const XmpPacket::tFound* XmpPacket::Find(const tXmpProperty& property) const {
  for (const tFound& found : found_) {
    if (found.name == property.name && found.ns == property.ns) return &found;
  }
  return nullptr;
}

std::optional<std::vector<std::string>> XmpPacket::Get(const tXmpProperty& property) const {
  const tFound* found = Find(property);
  if (found == nullptr || found->structured) return std::nullopt;
  if (!found->container) return std::vector<std::string>{found->text};
  if (found->items.empty()) return std::vector<std::string>{};
  switch (property.kind) {
    case XmpKind::kBag:
    case XmpKind::kSeq: {
      std::vector<std::string> items;
      for (const tItem& item : found->items) items.push_back(item.text);
      return items;
    }
    case XmpKind::kLangAlt:
      for (const tItem& item : found->items) {
        if (SameTextIgnoringCase(item.lang, "x-default"))
          return std::vector<std::string>{item.text};
      }
      [[fallthrough]];
    case XmpKind::kText:
      return std::vector<std::string>{found->items.front().text};
  }
  return std::nullopt;
}

}  // namespace dux
