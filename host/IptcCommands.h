#pragma once

#include <string>
#include <string_view>

#include "host/CommandFiles.h"
#include "metadata/iptc/IptcFields.h"

namespace dux {

// duxIPTCread: sets "[duxIPTC_Header]" and the 31 IPTC variables from the file's IPTC block
// (every variable empty and the header "0" when there is none). True when the file had one.
bool IptcRead(const std::string& fileName);

// duxIPTCwrite: writes the 31 variables as the IPTC block of `source` into `destination`
// (the destination itself when `source` is empty) through `files`. True when written; errors
// propagate.
bool IptcWrite(const std::string& source, const std::string& destination,
               const tCommandFiles& files = {});

}  // namespace dux
