#include "host/IptcCommands.h"

#include <vector>

#include "host/PluginState.h"
#include "metadata/AsciiText.h"
#include "metadata/CommaList.h"
#include "metadata/TimgData.h"

namespace dux {

bool IptcRead(const std::string& fileName) {
  TimgData image(255);
  image.walkExif = false;  // the IPTC read needs the segments only
  image.ScanFile(fileName);
  if (image.iptcSection == nullptr) {
    SetHostVariable(kIptcHeaderVariable, "0");
    for (const tIptcFieldRow& row : kIptcFields) SetHostVariable(row.Variable, "");
    return false;
  }
  image.iptcInfo->ParseSegment(image.IptcBlock());
  SetHostVariable(kIptcHeaderVariable, "1");
  for (const tIptcFieldRow& row : kIptcFields) {
    SetHostVariable(row.Variable, image.iptcInfo->ValueOf(row.Field, ""));
  }
  return true;
}

std::string LimitFieldText(const tIptcFieldRow& row, std::string_view text) {
  const auto limit = static_cast<std::size_t>(row.Limit);
  if (!row.IsList) return std::string(text.substr(0, limit));
  std::vector<std::string> items = SplitCommaList(text);
  for (std::string& item : items) {
    if (item.size() > limit) item = std::string(TrimRightBlanks(std::string_view(item).substr(0, limit)));
  }
  return JoinCommaList(items);
}

bool IptcWrite(const std::string& source, const std::string& destination, const tCommandFiles& files) {
  // An empty source means rewriting the destination in place, so that file is the one scanned.
  const std::string& from = source.empty() ? destination : source;
  TimgData image(255);
  JpegImage jpeg = image.ScanForRewrite(from);
  if (image.iptcSection != nullptr) {
    image.iptcInfo->ParseSegment(image.IptcBlock());
  } else {
    image.StartEmptyIptc();
  }
  // A variable that still holds what the read gives for this file leaves its field's datasets
  // exactly as they are: repeats, empty ones and values longer than the limits included.
  std::vector<tFieldEdit> edits;
  for (const tIptcFieldRow& row : kIptcFields) {
    const std::string text = GetHostVariable(row.Variable);
    if (text != image.iptcInfo->ValueOf(row.Field, "")) edits.push_back({&row, LimitFieldText(row, text)});
  }
  image.iptcInfo->WriteToFile(image, jpeg, destination, edits, files.openOutput);
  return true;
}

}  // namespace dux
