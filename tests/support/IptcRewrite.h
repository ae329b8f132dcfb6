#pragma once

#include <functional>
#include <string>

#include "metadata/JpegRewrite.h"
#include "metadata/TIPTCdata.h"

namespace dux::test {

// Rewrites the JPEG file `source` into `destination` as duxIPTCwrite does: the source's IPTC
// list emptied, then filled by `set`. Throws FormatError as the write does.
void RewriteIptc(const std::string& source, const std::string& destination,
                 const std::function<void(TIPTCdata&)>& set, const OutputOpener& open = OpenReplacingFile);

}  // namespace dux::test
