#include "tests/support/IptcRewrite.h"

#include "host/IptcCommands.h"
#include "metadata/TimgData.h"

namespace dux::test {

void RewriteIptc(const std::string& source, const std::string& destination,
                 const std::vector<std::pair<std::string, std::string>>& changes, const OutputOpener& open) {
  TimgData image(255);
  image.findXmp = true;
  JpegImage jpeg = image.ScanForRewrite(source);
  if (image.iptcSection != nullptr) {
    image.iptcInfo->ParseSegment(image.IptcBlock());
  } else {
    image.StartEmptyIptc();
  }
  std::vector<tFieldEdit> edits;
  for (const auto& [name, text] : changes) {
    for (const tIptcFieldRow& row : kIptcFields) {
      if (row.Field == name) edits.push_back({&row, LimitFieldText(row, text)});
    }
  }
  image.iptcInfo->WriteToFile(image, jpeg, destination, edits, {}, open);
}

}  // namespace dux::test
