#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/iptc/PhotoshopResources.h"

// The IPTC and XMP parts of test JPEGs: made for a source, and found again in what a write gave.
namespace dux::test {

// An APP1 segment holding the main XMP packet `packet`.
std::string XmpApp1(std::string_view packet);

// The packet of a JPEG's main XMP segment among its leading segments; empty when it has none.
std::string XmpPacketOf(std::string_view jpeg);

// The resources of the Photoshop block a write would rewrite (the one holding the IPTC).
std::vector<tImageResource> PhotoshopResourcesOf(const std::string& jpeg);

// The data of the first resource with `id`, or "absent".
std::string ResourceData(const std::vector<tImageResource>& resources, std::uint16_t id);

// The MD5 digest of IIM data, as the digest resource stores it.
std::string DigestOf(std::string_view iim);

}  // namespace dux::test
