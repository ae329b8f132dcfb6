#include "tests/support/IptcFiles.h"

#include "metadata/TimgData.h"
#include "metadata/jpeg/JpegImage.h"
#include "metadata/xmp/XmpPacket.h"
#include "platform/Md5.h"
#include "tests/support/JpegBuilder.h"

namespace dux::test {

std::string XmpApp1(std::string_view packet) {
  return Segment(0xE1, std::string(kXmpSignature).append(packet));
}

std::string XmpPacketOf(std::string_view jpeg) {
  for (const std::string& segment : LeadingSegments(jpeg)) {
    if (segment.substr(4).starts_with(kXmpSignature))
      return segment.substr(4 + kXmpSignature.size());
  }
  return {};
}

std::vector<tImageResource> PhotoshopResourcesOf(const std::string& jpeg) {
  return TimgData::FindPhotoshopRun(JpegImage::FromBytes(jpeg, "written")).resources;
}

std::string ResourceData(const std::vector<tImageResource>& resources, std::uint16_t id) {
  for (const tImageResource& r : resources) {
    if (r.id == id) return r.data;
  }
  return "absent";
}

std::string DigestOf(std::string_view iim) {
  const auto md5 = platform::Md5(iim);
  return std::string(reinterpret_cast<const char*>(md5.data()), md5.size());
}

}  // namespace dux::test
