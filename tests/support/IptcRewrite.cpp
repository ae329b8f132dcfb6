#include "tests/support/IptcRewrite.h"

#include "metadata/IptcWrite.h"
#include "metadata/TimgData.h"

namespace dux::test {

void RewriteIptc(const std::string& source, const std::string& destination,
                 const std::vector<std::pair<std::string, std::string>>& changes,
                 const OutputOpener& open) {
  // The variables as a read leaves them, then the changes.
  TimgData image;
  image.request = {.exifWalk = false, .xmpAnywhere = true};
  image.ScanFile(source);
  TIPTCdata none;
  if (image.iptcSection != nullptr) image.iptcInfo->ParseSegment(image.IptcBlock());
  const IptcSources read =
      IptcSourcesOf(image, image.iptcInfo ? *image.iptcInfo : none, XmpPacket::Use::kRead);
  tFieldValues values;
  for (std::size_t i = 0; i < kIptcFields.size(); ++i) {
    values[i] = read.ValueOf(kIptcFields[i]);
    for (const auto& [name, text] : changes) {
      if (kIptcFields[i].Field == name) values[i] = text;
    }
  }
  WriteIptc(source, destination, values, {}, open);
}

}  // namespace dux::test
