#include "metadata/XmpPacket.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include <expat.h>

#include "metadata/AsciiText.h"

namespace dux {
namespace {

constexpr char kSeparator = '\x01';  // between namespace, local name and prefix in expat's names
constexpr std::string_view kXmlNamespace = "http://www.w3.org/XML/1998/namespace";

// An expat name "namespace\x01local\x01prefix" (or "local" without a namespace).
struct tName {
  std::string ns, local, prefix;
  std::string Qualified() const { return prefix.empty() ? local : prefix + ":" + local; }
};

tName SplitName(const char* expanded) {
  tName name;
  const std::string_view text(expanded);
  const auto first = text.find(kSeparator);
  if (first == std::string_view::npos) {
    name.local = text;
    return name;
  }
  name.ns = text.substr(0, first);
  const auto second = text.find(kSeparator, first + 1);
  name.local = text.substr(first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1);
  if (second != std::string_view::npos) name.prefix = text.substr(second + 1);
  return name;
}

bool IsXmlBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The place of the attribute `qname` in a start tag expat has checked: from the blanks before
// its name to one past its closing quote. Nothing when the tag does not hold it.
std::optional<std::pair<std::size_t, std::size_t>> AttributeSpan(std::string_view tag, std::string_view qname) {
  std::size_t pos = 1;
  while (pos < tag.size() && !IsXmlBlank(tag[pos]) && tag[pos] != '/' && tag[pos] != '>') ++pos;  // the element's name
  while (pos < tag.size()) {
    const std::size_t blanks = pos;
    while (pos < tag.size() && IsXmlBlank(tag[pos])) ++pos;
    if (pos >= tag.size() || tag[pos] == '/' || tag[pos] == '>') return std::nullopt;
    const std::size_t nameStart = pos;
    while (pos < tag.size() && !IsXmlBlank(tag[pos]) && tag[pos] != '=') ++pos;
    const std::string_view name = tag.substr(nameStart, pos - nameStart);
    while (pos < tag.size() && tag[pos] != '\'' && tag[pos] != '"') ++pos;
    if (pos >= tag.size()) return std::nullopt;
    const auto close = tag.find(tag[pos], pos + 1);
    if (close == std::string_view::npos) return std::nullopt;
    pos = close + 1;
    if (name == qname) return std::make_pair(blanks, pos);
  }
  return std::nullopt;
}

// Text for XML content or an attribute value: markup characters escaped, and the control
// characters XML does not allow left out.
std::string Escaped(std::string_view text, bool attribute) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"':
        if (attribute) {
          out += "&quot;";
        } else {
          out += c;
        }
        break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += c;
    }
  }
  return out;
}

}  // namespace

// The expat handlers' state while a packet is parsed.
class XmpParse {
 public:
  enum class tRole { kOther, kRdf, kDescription, kProperty, kContainer, kItem };
  struct tFrame {
    tRole role = tRole::kOther;
    std::size_t index = 0;  // of the description, or of the property
    std::size_t begin = 0, startLength = 0;
    std::string text, lang;
  };

  explicit XmpParse(XmpPacket& packet) : packet_(packet) {}

  bool Run(std::string_view text) {
    const std::unique_ptr<std::remove_pointer_t<XML_Parser>, decltype(&XML_ParserFree)> parser(
        XML_ParserCreateNS(nullptr, kSeparator), &XML_ParserFree);
    if (!parser) return false;
    parser_ = parser.get();
    XML_SetReturnNSTriplet(parser_, 1);
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, &Start, &End);
    XML_SetCharacterDataHandler(parser_, &Characters);
    XML_SetNamespaceDeclHandler(parser_, &StartNamespace, &EndNamespace);
    XML_SetProcessingInstructionHandler(parser_, &Instruction);
    XML_SetStartDoctypeDeclHandler(parser_, &Doctype);
    // Bytes are handed over in pieces of at most 1 GB, which an int can count.
    const auto ok = XML_Parse(parser_, text.data(), static_cast<int>(std::min<std::size_t>(text.size(), 1u << 30)), XML_TRUE);
    return ok == XML_STATUS_OK && !refused_ && sawRdf_ && text.size() < (1u << 30);
  }

 private:
  static XmpParse& Self(void* data) { return *static_cast<XmpParse*>(data); }
  std::size_t Position() const { return static_cast<std::size_t>(XML_GetCurrentByteIndex(parser_)); }
  std::size_t Length() const { return static_cast<std::size_t>(XML_GetCurrentByteCount(parser_)); }

  // The prefixes in scope, by namespace. A later declaration wins, and a prefix bound again
  // no longer names the namespace it was first bound to.
  std::map<std::string, std::string> PrefixesInScope() const {
    std::map<std::string, std::string> bound;  // prefix -> namespace
    for (const auto& [prefix, ns] : scope_) bound[prefix] = ns;
    std::map<std::string, std::string> prefixes;
    for (const auto& [prefix, ns] : scope_) {
      if (bound[prefix] == ns) prefixes[ns] = prefix;
    }
    return prefixes;
  }

  static void XMLCALL Doctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    // XMP has no document type; one that brings any is refused before it can declare entities.
    Self(data).refused_ = true;
    XML_StopParser(Self(data).parser_, XML_FALSE);
  }

  static void XMLCALL StartNamespace(void* data, const XML_Char* prefix, const XML_Char* uri) {
    Self(data).scope_.emplace_back(prefix != nullptr ? prefix : "", uri != nullptr ? uri : "");
  }

  static void XMLCALL EndNamespace(void* data, const XML_Char*) {
    if (!Self(data).scope_.empty()) Self(data).scope_.pop_back();
  }

  static void XMLCALL Instruction(void* data, const XML_Char* target, const XML_Char* value) {
    if (std::strcmp(target, "xpacket") == 0 && std::string_view(value).starts_with("end")) {
      Self(data).packet_.trailer_ = Self(data).Position();
    }
  }

  static void XMLCALL Characters(void* data, const XML_Char* text, int length) {
    XmpParse& self = Self(data);
    if (!self.stack_.empty() && (self.stack_.back().role == tRole::kProperty || self.stack_.back().role == tRole::kItem)) {
      self.stack_.back().text.append(text, static_cast<std::size_t>(length));
    }
  }

  static void XMLCALL Start(void* data, const XML_Char* expanded, const XML_Char** attributes) {
    XmpParse& self = Self(data);
    XmpPacket& packet = self.packet_;
    const tName name = SplitName(expanded);
    tFrame frame;
    frame.begin = self.Position();
    frame.startLength = self.Length();
    const tRole parent = self.stack_.empty() ? tRole::kOther : self.stack_.back().role;
    const bool isRdf = name.ns == kRdfNamespace;
    // The packet's one rdf:RDF: another inside it, or after it, is content like any other.
    const bool outside = std::all_of(self.stack_.begin(), self.stack_.end(), [](const tFrame& f) { return f.role == tRole::kOther; });
    if (isRdf && name.local == "RDF" && !self.sawRdf_ && outside) {
      frame.role = tRole::kRdf;
      packet.rdfQname_ = name.Qualified();
      packet.rdfPrefixes_ = self.PrefixesInScope();
      self.sawRdf_ = true;
    } else if (parent == tRole::kRdf) {
      frame.role = tRole::kDescription;
      frame.index = packet.descriptions_.size();
      XmpPacket::tDescription description;
      description.qname = name.Qualified();
      description.begin = frame.begin;
      description.startEnd = frame.begin + frame.startLength;
      description.prefixes = self.PrefixesInScope();
      packet.descriptions_.push_back(description);
      const std::string_view tag = std::string_view(packet.packet_).substr(frame.begin, frame.startLength);
      for (const XML_Char** a = attributes; *a != nullptr; a += 2) {
        const tName attribute = SplitName(a[0]);
        if (attribute.ns.empty() || attribute.ns == kRdfNamespace || attribute.ns == kXmlNamespace) continue;
        XmpPacket::tFound found;
        found.ns = attribute.ns;
        found.name = attribute.local;
        found.qname = attribute.Qualified();
        found.attribute = true;
        found.description = frame.index;
        found.text = a[1];
        if (const auto span = AttributeSpan(tag, found.qname)) {
          found.begin = frame.begin + span->first;
          found.end = frame.begin + span->second;
          packet.found_.push_back(found);
        }
      }
    } else if (parent == tRole::kDescription) {
      frame.role = tRole::kProperty;
      frame.index = packet.found_.size();
      XmpPacket::tFound found;
      found.ns = name.ns;
      found.name = name.local;
      found.qname = name.Qualified();
      found.description = self.stack_.back().index;
      found.begin = frame.begin;
      for (const XML_Char** a = attributes; *a != nullptr; a += 2) {
        const tName attribute = SplitName(a[0]);
        if (attribute.ns == kRdfNamespace && attribute.local == "parseType") found.structured = true;
      }
      packet.found_.push_back(found);
    } else if (parent == tRole::kProperty) {
      XmpPacket::tFound& property = packet.found_[self.stack_.back().index];
      if (isRdf && (name.local == "Alt" || name.local == "Bag" || name.local == "Seq")) {
        frame.role = tRole::kContainer;
        frame.index = self.stack_.back().index;
        property.container = true;
      } else {
        property.structured = true;
      }
    } else if (parent == tRole::kContainer && isRdf && name.local == "li") {
      frame.role = tRole::kItem;
      frame.index = self.stack_.back().index;
      for (const XML_Char** a = attributes; *a != nullptr; a += 2) {
        const tName attribute = SplitName(a[0]);
        if (attribute.ns == kXmlNamespace && attribute.local == "lang") frame.lang = a[1];
      }
    } else if (parent == tRole::kItem) {
      packet.found_[self.stack_.back().index].structured = true;
    }
    self.stack_.push_back(std::move(frame));
  }

  static void XMLCALL End(void* data, const XML_Char*) {
    XmpParse& self = Self(data);
    XmpPacket& packet = self.packet_;
    if (self.stack_.empty()) return;
    tFrame frame = std::move(self.stack_.back());
    self.stack_.pop_back();
    // An empty-element tag ends where its start tag does: expat gives its end no bytes of its own.
    const bool emptyTag = self.Length() == 0;
    const std::size_t end = emptyTag ? frame.begin + frame.startLength : self.Position() + self.Length();
    switch (frame.role) {
      case tRole::kRdf:
        packet.rdfEndTag_ = emptyTag ? 0 : self.Position();
        break;
      case tRole::kDescription: {
        XmpPacket::tDescription& description = packet.descriptions_[frame.index];
        description.emptyTag = emptyTag;
        description.endTag = emptyTag ? description.startEnd - 2 : self.Position();
        break;
      }
      case tRole::kProperty: {
        XmpPacket::tFound& property = packet.found_[frame.index];
        property.end = end;
        property.text = std::move(frame.text);
        break;
      }
      case tRole::kItem:
        packet.found_[frame.index].items.push_back({std::move(frame.lang), std::move(frame.text), frame.begin, end});
        break;
      default:
        break;
    }
  }

  XmpPacket& packet_;
  XML_Parser parser_ = nullptr;
  std::vector<tFrame> stack_;
  std::vector<std::pair<std::string, std::string>> scope_;  // prefix, namespace
  bool refused_ = false;
  bool sawRdf_ = false;
};

std::optional<XmpPacket> XmpPacket::Parse(std::string_view packet) {
  XmpPacket result;
  result.packet_ = packet;
  XmpParse parse(result);
  if (!parse.Run(result.packet_)) return std::nullopt;
  result.editable_ = result.packet_.find('\0') == std::string::npos && result.rdfEndTag_ != 0;
  return result;
}

const XmpPacket::tFound* XmpPacket::Find(const tXmpProperty& property) const {
  for (const tFound& found : found_) {
    if (found.ns == property.ns && found.name == property.name) return &found;
  }
  return nullptr;
}

std::optional<std::vector<std::string>> XmpPacket::Get(const tXmpProperty& property) const {
  const tFound* found = Find(property);
  if (found == nullptr || found->structured) return std::nullopt;
  if (!found->container) return std::vector<std::string>{found->text};
  if (found->items.empty()) return std::vector<std::string>{};
  switch (property.kind) {
    case tXmpKind::kBag:
    case tXmpKind::kSeq: {
      std::vector<std::string> items;
      for (const tItem& item : found->items) items.push_back(item.text);
      return items;
    }
    case tXmpKind::kLangAlt:
      for (const tItem& item : found->items) {
        if (SameTextIgnoringCase(item.lang, "x-default")) return std::vector<std::string>{item.text};
      }
      [[fallthrough]];
    case tXmpKind::kText:
      return std::vector<std::string>{found->items.front().text};
  }
  return std::nullopt;
}

std::string XmpPacket::NewElement(const tXmpProperty& property, const std::vector<std::string>& items,
                                  const std::map<std::string, std::string>& prefixes, const tFound* old) const {
  // The name as the packet writes it; a namespace not in scope is declared on the element.
  std::string qname, declaration;
  if (old != nullptr && !old->attribute) {
    qname = old->qname;
  } else if (const auto known = prefixes.find(std::string(property.ns)); known != prefixes.end() && !known->second.empty()) {
    qname = known->second + ":" + std::string(property.name);
  } else {
    qname = std::string(property.prefix) + ":" + std::string(property.name);
  }
  const std::string prefix = qname.substr(0, qname.find(':'));
  const auto inScope = prefixes.find(std::string(property.ns));
  if (inScope == prefixes.end() || inScope->second != prefix) {
    declaration = " xmlns:" + prefix + "=\"" + std::string(property.ns) + "\"";
  }
  const auto rdfKnown = prefixes.find(std::string(kRdfNamespace));
  const std::string rdf = rdfKnown != prefixes.end() && !rdfKnown->second.empty() ? rdfKnown->second : "rdf";
  if (rdfKnown == prefixes.end() || rdfKnown->second.empty()) declaration += " xmlns:rdf=\"" + std::string(kRdfNamespace) + "\"";
  std::string out = "<" + qname + declaration + ">";
  switch (property.kind) {
    case tXmpKind::kText:
      out += Escaped(items.front(), false);
      break;
    case tXmpKind::kLangAlt:
      out += "<" + rdf + ":Alt><" + rdf + ":li xml:lang=\"x-default\">" + Escaped(items.front(), false) + "</" + rdf + ":li>";
      // The other languages stay as they were written; a property with more than text in it
      // is not a language alternative this can keep, and is replaced whole.
      if (old != nullptr && !old->structured) {
        for (const tItem& item : old->items) {
          if (!SameTextIgnoringCase(item.lang, "x-default")) out += packet_.substr(item.begin, item.end - item.begin);
        }
      }
      out += "</" + rdf + ":Alt>";
      break;
    case tXmpKind::kBag:
    case tXmpKind::kSeq: {
      const std::string container = property.kind == tXmpKind::kBag ? "Bag" : "Seq";
      out += "<" + rdf + ":" + container + ">";
      for (const std::string& item : items) out += "<" + rdf + ":li>" + Escaped(item, false) + "</" + rdf + ":li>";
      out += "</" + rdf + ":" + container + ">";
      break;
    }
  }
  return out + "</" + qname + ">";
}

void XmpPacket::Set(const tXmpProperty& property, const std::vector<std::string>& items) {
  if (!editable_) return;
  const tFound* old = Find(property);
  const auto splice = [this](std::size_t begin, std::size_t end, std::string text) {
    splices_.push_back({begin, end, std::move(text)});
  };
  if (old != nullptr && (items.empty() || !old->attribute || property.kind != tXmpKind::kText)) {
    splice(old->begin, old->end, "");  // removed, or replaced just below
  }
  if (items.empty()) return;
  if (old != nullptr && old->attribute && property.kind == tXmpKind::kText) {
    splice(old->begin, old->end, " " + old->qname + "=\"" + Escaped(items.front(), true) + "\"");
    return;
  }
  if (old != nullptr && !old->attribute) {
    splices_.back().text = NewElement(property, items, descriptions_[old->description].prefixes, old);
    return;
  }
  // A new property goes into the first description that knows its namespace, else the first.
  std::size_t target = descriptions_.size();
  for (std::size_t i = 0; i < descriptions_.size() && target == descriptions_.size(); ++i) {
    if (descriptions_[i].prefixes.count(std::string(property.ns)) != 0) target = i;
  }
  if (target == descriptions_.size() && !descriptions_.empty()) target = 0;
  const auto& prefixes = target < descriptions_.size() ? descriptions_[target].prefixes : rdfPrefixes_;
  inserts_.emplace_back(target < descriptions_.size() ? target : SIZE_MAX, NewElement(property, items, prefixes, old));
}

std::string XmpPacket::Serialize() const {
  std::vector<tSplice> splices = splices_;
  // The new properties of each description, together where it ends.
  std::map<std::size_t, std::string> added;
  for (const auto& [target, element] : inserts_) added[target] += element;
  for (const auto& [target, elements] : added) {
    if (target == SIZE_MAX) {
      const auto known = rdfPrefixes_.find(std::string(kRdfNamespace));
      const std::string rdf = known != rdfPrefixes_.end() ? known->second : "rdf";
      splices.push_back({rdfEndTag_, rdfEndTag_,
                         "<" + rdf + ":Description " + rdf + ":about=\"\">" + elements + "</" + rdf + ":Description>"});
    } else if (const tDescription& d = descriptions_[target]; d.emptyTag) {
      splices.push_back({d.endTag, d.startEnd, ">" + elements + "</" + d.qname + ">"});
    } else {
      splices.push_back({d.endTag, d.endTag, elements});
    }
  }
  std::stable_sort(splices.begin(), splices.end(), [](const tSplice& a, const tSplice& b) { return a.begin < b.begin; });
  // The padding: the blanks right before the closing instruction.
  std::size_t padStart = trailer_.value_or(0);
  while (padStart > 0 && IsXmlBlank(packet_[padStart - 1])) --padStart;
  std::string out;
  std::size_t at = 0;
  std::ptrdiff_t shift = 0;     // how far the changes before the padding moved it
  bool paddingTouched = false;  // a change at or after the padding: it is left as it is
  // Several splices at one place: the insertions there, then the replacement of what stands.
  for (const tSplice& s : splices) {
    if (s.begin < at) continue;  // overlapped by an earlier change
    out.append(packet_, at, s.begin - at);
    out += s.text;
    at = s.end;
    if (s.end > padStart || s.begin >= padStart) paddingTouched = true;
    shift += static_cast<std::ptrdiff_t>(s.text.size()) - static_cast<std::ptrdiff_t>(s.end - s.begin);
  }
  out.append(packet_, at);
  if (!trailer_ || paddingTouched || shift == 0) return out;
  const std::size_t padding = *trailer_ - padStart;
  const auto start = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(padStart) + shift);  // in `out`
  if (shift > 0) {
    out.erase(start, std::min(static_cast<std::size_t>(shift), padding));  // the line break before the end stays
  } else {
    out.insert(start, static_cast<std::size_t>(-shift), ' ');
  }
  return out;
}

std::string XmpPacket::Create(const std::vector<std::pair<tXmpProperty, std::vector<std::string>>>& properties) {
  std::map<std::string, std::string> prefixes = {{std::string(kRdfNamespace), "rdf"}};
  std::string declarations;
  for (const auto& [property, items] : properties) {
    if (items.empty() || prefixes.count(std::string(property.ns)) != 0) continue;
    prefixes[std::string(property.ns)] = property.prefix;
    declarations += "\n    xmlns:" + std::string(property.prefix) + "=\"" + std::string(property.ns) + "\"";
  }
  XmpPacket none;
  std::string body;
  for (const auto& [property, items] : properties) {
    if (!items.empty()) body += "   " + none.NewElement(property, items, prefixes, nullptr) + "\n";
  }
  std::string padding;
  for (int line = 0; line < 20; ++line) padding += std::string(99, ' ') + "\n";
  return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
         "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
         " <rdf:RDF xmlns:rdf=\"" + std::string(kRdfNamespace) + "\">\n"
         "  <rdf:Description rdf:about=\"\"" + declarations + ">\n" + body +
         "  </rdf:Description>\n"
         " </rdf:RDF>\n"
         "</x:xmpmeta>\n" + padding + "<?xpacket end=\"w\"?>";
}

}  // namespace dux
