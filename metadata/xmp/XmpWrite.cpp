#include "metadata/xmp/XmpPacket.h"

#include <algorithm>
#include <cstdint>

#include "metadata/xmp/XmlText.h"
#include "text/AsciiText.h"

// Writing a packet: the elements of new values, the packet with its splices made and its
// padding kept in step, and a packet made new.
namespace dux {

std::string XmpPacket::NewElement(const tXmpProperty& property,
                                  const std::vector<std::string>& items,
                                  const std::map<std::string, std::string>& prefixes,
                                  const tFound* old) const {
  // The name as the packet writes it, with the declarations it made itself (a default namespace
  // among them), so that it stays in its namespace; a namespace not in scope is declared on the
  // element.
  std::string qname, declaration;
  std::map<std::string, std::string> scope = prefixes;
  if (old != nullptr && !old->attribute) {
    qname = old->qname;
    for (const auto& [prefix, ns] : old->declarations) {
      declaration += prefix.empty() ? " xmlns=\"" : " xmlns:" + prefix + "=\"";
      declaration += Escaped(ns, true) + "\"";
    }
    std::vector<std::pair<std::string, std::string>> inScope;
    for (const auto& [ns, prefix] : prefixes) inScope.emplace_back(prefix, ns);
    inScope.insert(inScope.end(), old->declarations.begin(), old->declarations.end());
    scope = PrefixMap(inScope);
  } else {
    const auto known = prefixes.find(std::string(property.ns));
    qname = (known != prefixes.end() ? known->second : std::string(property.prefix)) + ":" +
            std::string(property.name);
    if (known == prefixes.end())
      declaration =
          " xmlns:" + std::string(property.prefix) + "=\"" + std::string(property.ns) + "\"";
  }
  const auto rdfKnown = scope.find(std::string(kRdfNamespace));
  const std::string rdf = rdfKnown != scope.end() ? rdfKnown->second : "rdf";
  if (rdfKnown == scope.end()) declaration += " xmlns:rdf=\"" + std::string(kRdfNamespace) + "\"";
  std::string out = "<" + qname + declaration + ">";
  switch (property.kind) {
    case XmpKind::kText:
      out += Escaped(items.front(), false);
      break;
    case XmpKind::kLangAlt:
      out += "<" + rdf + ":Alt><" + rdf + ":li xml:lang=\"x-default\">" +
             Escaped(items.front(), false) + "</" + rdf + ":li>";
      // The other languages stay as they were written; a property with more than text in it
      // is not a language alternative this can keep, and is replaced whole.
      if (old != nullptr && !old->structured) {
        for (const tItem& item : old->items) {
          if (!SameTextIgnoringCase(item.lang, "x-default"))
            out += packet_.substr(item.begin, item.end - item.begin);
        }
      }
      out += "</" + rdf + ":Alt>";
      break;
    case XmpKind::kBag:
    case XmpKind::kSeq: {
      const std::string container = property.kind == XmpKind::kBag ? "Bag" : "Seq";
      out += "<" + rdf + ":" + container + ">";
      for (const std::string& item : items)
        out += "<" + rdf + ":li>" + Escaped(item, false) + "</" + rdf + ":li>";
      out += "</" + rdf + ":" + container + ">";
      break;
    }
  }
  return out + "</" + qname + ">";
}

std::string XmpPacket::Serialize() const {
  std::vector<tSplice> splices = splices_;
  // The new properties of each description, together where it ends.
  std::map<std::size_t, std::string> added;
  for (const auto& [target, element] : inserts_) added[target] += element;
  for (const auto& [target, elements] : added) {
    if (target == SIZE_MAX) {
      const auto prefixes = PrefixesOf(SIZE_MAX);
      const auto known = prefixes.find(std::string(kRdfNamespace));
      const std::string rdf = known != prefixes.end() ? known->second : "rdf";
      splices.push_back({rdfEndTag_, rdfEndTag_,
                         "<" + rdf + ":Description " + rdf + ":about=\"\">" + elements + "</" +
                             rdf + ":Description>"});
    } else if (const tDescription& d = descriptions_[target]; d.emptyTag) {
      splices.push_back({d.endTag, d.startEnd, ">" + elements + "</" + d.qname + ">"});
    } else {
      splices.push_back({d.endTag, d.endTag, elements});
    }
  }
  std::stable_sort(splices.begin(), splices.end(),
                   [](const tSplice& a, const tSplice& b) { return a.begin < b.begin; });
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
    shift +=
        static_cast<std::ptrdiff_t>(s.text.size()) - static_cast<std::ptrdiff_t>(s.end - s.begin);
  }
  out.append(packet_, at);
  if (!trailer_ || paddingTouched || shift == 0) return out;
  const std::size_t padding = *trailer_ - padStart;
  const auto start =
      static_cast<std::size_t>(static_cast<std::ptrdiff_t>(padStart) + shift);  // in `out`
  if (shift > 0) {
    out.erase(start, std::min(static_cast<std::size_t>(shift),
                              padding));  // the line break before the end stays
  } else {
    out.insert(start, static_cast<std::size_t>(-shift), ' ');
  }
  return out;
}

std::string XmpPacket::Create(
    const std::vector<std::pair<tXmpProperty, std::vector<std::string>>>& properties) {
  std::map<std::string, std::string> prefixes = {{std::string(kRdfNamespace), "rdf"}};
  std::string declarations;
  for (const auto& [property, items] : properties) {
    if (items.empty() || prefixes.count(std::string(property.ns)) != 0) continue;
    prefixes[std::string(property.ns)] = property.prefix;
    declarations +=
        "\n    xmlns:" + std::string(property.prefix) + "=\"" + std::string(property.ns) + "\"";
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
         " <rdf:RDF xmlns:rdf=\"" +
         std::string(kRdfNamespace) +
         "\">\n"
         "  <rdf:Description rdf:about=\"\"" +
         declarations + ">\n" + body +
         "  </rdf:Description>\n"
         " </rdf:RDF>\n"
         "</x:xmpmeta>\n" +
         padding + "<?xpacket end=\"w\"?>";
}

}  // namespace dux
