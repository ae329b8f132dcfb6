#pragma once

#include <string>
#include <utility>
#include <vector>

#include "metadata/iptc/TIPTCdata.h"
#include "metadata/jpeg/JpegRewrite.h"

namespace dux::test {

// Rewrites the JPEG file `source` into `destination` as duxIPTCwrite does with the variables
// of the fields named in `changes` set to the texts given (cut to the limits) and every other
// variable as the read left it. Throws FormatError as the write does.
void RewriteIptc(const std::string& source, const std::string& destination,
                 const std::vector<std::pair<std::string, std::string>>& changes,
                 const OutputOpener& open = OpenReplacingFile);

}  // namespace dux::test
