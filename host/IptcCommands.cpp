#include "host/IptcCommands.h"

#include <vector>

#include "host/PluginState.h"
#include "host/Registration.h"
#include "metadata/IptcWrite.h"
#include "metadata/TimgData.h"
#include "metadata/iptc/IptcXmp.h"
#include "platform/FormatError.h"
#include "platform/IniFile.h"
#include "text/AsciiText.h"
#include "text/CommaList.h"

namespace dux {

bool IptcRead(const std::string& fileName) {
  TimgData image;
  image.request = {
      .exifWalk = false, .xmpAnywhere = true, .fileFacts = false};  // the segments only
  image.scanMemory = &PluginState().lastScan;
  image.ScanFile(fileName);
  TIPTCdata none;
  std::string joined;
  const std::string_view block = image.IptcBlockView(joined);
  if (image.iptcSection != nullptr) image.iptcInfo->ParseSegment(block);
  const IptcSources sources(block, image.XmpPacketBytes(), image.iptcInfo ? *image.iptcInfo : none,
                            XmpPacket::Use::kRead);
  SetHostVariable(kIptcHeaderVariable, image.iptcSection != nullptr ? "1" : "0");
  for (const tIptcFieldRow& row : kIptcFields) SetHostVariable(row.Variable, sources.ValueOf(row));
  // A packet that holds camera properties alone is no IPTC.
  const bool xmpFields = sources.XmpStatesAField();
  SetHostVariable(kIptcXmpVariable, xmpFields ? "1" : "0");
  return image.iptcSection != nullptr || xmpFields;
}

bool IptcWrite(const std::string& source, const std::string& destination,
               const tCommandFiles& files) {
  // The host hands names over in code page 1252, with "?" for each character that it cannot
  // hold: such a name is no longer the user's file, and a write to it would make another one.
  if (destination.find('?') != std::string::npos) {
    throw FormatError("Cannot write '" + destination +
                      "': a \"?\" in the name stands for a character code page 1252 cannot hold");
  }
  // An empty source means rewriting the destination in place, so that file is the one scanned.
  tFieldValues values;
  for (std::size_t i = 0; i < kIptcFields.size(); ++i)
    values[i] = GetHostVariable(kIptcFields[i].Variable);
  tWriteOptions options;
  options.createXmp = platform::ReadIniString(IniFileName(), "Options", "CreateXmp", "0") == "1";
  WriteIptc(source.empty() ? destination : source, destination, values, options, files.openOutput);
  return true;
}

}  // namespace dux
