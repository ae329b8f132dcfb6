#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/iptc/IptcFields.h"
#include "metadata/iptc/PhotoshopResources.h"
#include "metadata/xmp/XmpPacket.h"

// The IPTC fields in their two homes, the IIM block and the XMP packet, and which one a read
// takes each field from: the Metadata Working Group's rule.
namespace dux {

class TIPTCdata;

// The XMP property of a field (IPTC Photo Metadata standard); nothing for the fields without
// one. DateCreated and TimeCreated share photoshop:DateCreated.
std::optional<tXmpProperty> XmpPropertyOf(const tIptcFieldRow& field);

// An MD5 digest, as the IPTC digest resource (8BIM 0x0425) stores it.
using tDigest = std::array<std::uint8_t, 16>;

// The digest resource's state against the IIM data it is meant for.
enum class DigestState { kAbsent, kMatches, kDiffers };

// What a file holds of the IPTC fields, and the value a read gives each.
class IptcSources {
 public:
  // From what a scan found: the IPTC block's bytes as a segment holds them (empty when the file
  // has none), the XMP packet (nothing when it has none), and the datasets `iim` parsed from the
  // block. For reading alone, the packet is parsed without the places an edit needs. The views
  // are not kept.
  IptcSources(std::string_view iptcBlock, std::optional<std::string_view> xmpPacket,
              const TIPTCdata& iim, XmpPacket::Use use = XmpPacket::Use::kEdit);

  // The value duxIPTCread gives the field, in code page 1252: the XMP packet's when it states
  // the field and the file has no IIM block, no digest, or a digest that matches its IIM data;
  // else the IIM block's. A photoshop:DateCreated without a time states no TimeCreated.
  std::string ValueOf(const tIptcFieldRow& field) const;

  // The field's value as the XMP packet states it, in code page 1252 (a list field's items as a
  // comma list, another field's first item); nothing when the packet does not state it.
  std::optional<std::string> XmpValueOf(const tIptcFieldRow& field) const;
  // Whether the XMP packet states a value for at least one of the fields.
  bool XmpStatesAField() const;

  bool HasXmp() const { return xmp_.has_value(); }
  const std::optional<XmpPacket>& Xmp() const { return xmp_; }
  // The digest's state; looked at only where a packet parsed (kAbsent otherwise).
  DigestState Digest() const { return digest_; }

 private:
  const TIPTCdata& iim_;
  bool hasIim_ = false;
  DigestState digest_ = DigestState::kAbsent;
  std::optional<XmpPacket> xmp_;
};

// Whether `value`, as a read gives the field, says what `meant` says, where a write meant it: a
// list field's items alike, ignoring letter case, blanks around them and empty ones (the read
// keeps one of items that differ in letter case alone); a date or a time alike in its digits,
// where the XMP form fills a part date with zeros; any other text exactly.
bool ReadsAs(const tIptcFieldRow& field, std::string_view value, std::string_view meant);

// The digest of IIM data as the digest resource holds it.
tDigest IimDigest(std::string_view iimData);

// The state of the digest resource among `resources` against the IPTC resource among them.
DigestState DigestStateOf(const std::vector<tResourceView>& resources);

// A field's text (code page 1252) as the items of its XMP property, in UTF-8: the comma list's
// items for a list. DateCreated and TimeCreated together make photoshop:DateCreated.
std::vector<std::string> XmpItemsOf(const tIptcFieldRow& field, std::string_view text);
std::string XmpDateOf(std::string_view date, std::string_view time);

}  // namespace dux
