#pragma once

#include <string>
#include <string_view>

namespace dux {

// The image resources of a Photoshop APP13 section other than its IPTC block.
struct tImageResources {
  std::string bytes;         // whole resource blocks in file order, each padded to even length
  bool hasUrlList = false;   // one of them is resource 0x040B
};

// The "8BIM" resources of an APP13 section (`sectionBytes`: length field, then "Photoshop 3.0",
// a zero byte and the resource blocks), in their order, leaving out resource 0x0404 (IPTC).
// A section that does not parse as such resources, or runs past its end, gives none.
tImageResources OtherImageResources(std::string_view sectionBytes);

}  // namespace dux
