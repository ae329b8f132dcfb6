#include "metadata/xmp/XmpPacket.h"

#include "metadata/xmp/XmlText.h"

// Editing a packet: each change is recorded as a splice of the packet's bytes, or as a new
// property for a description, and made when the packet is serialised.
namespace dux {

std::map<std::string, std::string> XmpPacket::PrefixesOf(std::size_t description) const {
  std::vector<std::pair<std::string, std::string>> declarations = rdfScope_;
  if (description < descriptions_.size()) {
    declarations.insert(declarations.end(), descriptions_[description].declarations.begin(),
                        descriptions_[description].declarations.end());
  }
  return PrefixMap(declarations);
}

void XmpPacket::Set(const tXmpProperty& property, const std::vector<std::string>& items) {
  if (!editable_ || !Recorded(property.ns)) return;
  const tFound* old = Find(property);
  const auto splice = [this](std::size_t begin, std::size_t end, std::string text) {
    splices_.push_back({begin, end, std::move(text)});
  };
  // A packet that states the property more than once, as none should, keeps only the first.
  for (const tFound& other : found_) {
    if (&other != old && other.name == property.name && other.ns == property.ns)
      splice(other.begin, other.end, "");
  }
  if (old != nullptr && (items.empty() || !old->attribute || property.kind != XmpKind::kText)) {
    splice(old->begin, old->end, "");  // removed, or replaced just below
  }
  if (items.empty()) return;
  if (old != nullptr && old->attribute && property.kind == XmpKind::kText) {
    splice(old->begin, old->end, " " + old->qname + "=\"" + Escaped(items.front(), true) + "\"");
    return;
  }
  if (old != nullptr && !old->attribute) {
    splices_.back().text = NewElement(property, items, PrefixesOf(old->description), old);
    return;
  }
  // A new property goes into the first description that knows its namespace, else the first.
  std::size_t target = descriptions_.size();
  for (std::size_t i = 0; i < descriptions_.size() && target == descriptions_.size(); ++i) {
    if (PrefixesOf(i).count(std::string(property.ns)) != 0) target = i;
  }
  if (target == descriptions_.size() && !descriptions_.empty()) target = 0;
  inserts_.emplace_back(target < descriptions_.size() ? target : SIZE_MAX,
                        NewElement(property, items, PrefixesOf(target), old));
}

}  // namespace dux
