#include "host/IptcCommands.h"

#include <vector>

#include "host/PluginState.h"
#include "host/Registration.h"
#include "text/AsciiText.h"
#include "text/CommaList.h"
#include "metadata/iptc/IptcXmp.h"
#include "metadata/TimgData.h"
#include "platform/FormatError.h"
#include "platform/IniFile.h"

namespace dux {

bool IptcRead(const std::string& fileName) {
  TimgData image(255);
  image.walkExif = false;  // the IPTC read needs the segments only
  image.findXmp = true;
  image.captureFileFacts = false;
  image.scanMemory = &PluginState().lastScan;
  image.ScanFile(fileName);
  TIPTCdata none;
  std::string joined;
  if (image.iptcSection != nullptr) image.iptcInfo->ParseSegment(image.IptcBlockView(joined));
  const tIptcSources sources(image, image.iptcInfo ? *image.iptcInfo : none, XmpPacket::tUse::kRead);
  SetHostVariable(kIptcHeaderVariable, image.iptcSection != nullptr ? "1" : "0");
  for (const tIptcFieldRow& row : kIptcFields) SetHostVariable(row.Variable, sources.ValueOf(row));
  // A packet that holds camera properties alone is no IPTC.
  const bool xmpFields = sources.XmpStatesAField();
  SetHostVariable(kIptcXmpVariable, xmpFields ? "1" : "0");
  return image.iptcSection != nullptr || xmpFields;
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
  // The host hands names over in code page 1252, with "?" for each character that it cannot
  // hold: such a name is no longer the user's file, and a write to it would make another one.
  if (destination.find('?') != std::string::npos) {
    throw FormatError("Cannot write '" + destination +
                      "': a \"?\" in the name stands for a character code page 1252 cannot hold");
  }
  // An empty source means rewriting the destination in place, so that file is the one scanned.
  const std::string& from = source.empty() ? destination : source;
  TimgData image(255);
  image.findXmp = true;
  JpegImage jpeg = image.ScanForRewrite(from);
  if (image.iptcSection != nullptr) {
    image.iptcInfo->ParseSegment(image.IptcBlock());
  } else {
    image.StartEmptyIptc();
  }
  // A variable that still holds what the read gives for this file leaves its field's datasets,
  // and its XMP property, exactly as they are: repeats, empty ones and values longer than the
  // limits included.
  const tIptcSources sources(image, *image.iptcInfo);
  std::vector<tFieldEdit> edits;
  for (const tIptcFieldRow& row : kIptcFields) {
    const std::string text = GetHostVariable(row.Variable);
    if (text != sources.ValueOf(row)) edits.push_back({&row, LimitFieldText(row, text)});
  }
  tWriteOptions options;
  options.createXmp = platform::ReadIniString(IniFileName(), "Options", "CreateXmp", "0") == "1";
  image.iptcInfo->WriteToFile(image, jpeg, destination, edits, options, files.openOutput);
  return true;
}

}  // namespace dux
