#include "tests/support/IptcRewrite.h"

#include "metadata/TimgData.h"

namespace dux::test {

void RewriteIptc(const std::string& source, const std::string& destination,
                 const std::function<void(TIPTCdata&)>& set, const OutputOpener& open) {
  TimgData image(255);
  JpegImage jpeg = image.ScanForRewrite(source);
  if (image.iptcSection != nullptr) {
    image.iptcInfo->ParseSegment(image.iptcSection->bytes);
  } else {
    image.StartEmptyIptc();
  }
  image.iptcInfo->ClearEntries();
  set(*image.iptcInfo);
  image.iptcInfo->WriteToFile(image, jpeg, destination, open);
}

}  // namespace dux::test
