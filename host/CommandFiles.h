#pragma once

#include <functional>
#include <string>

#include "metadata/jpeg/JpegRewrite.h"
#include "platform/Files.h"

namespace dux {

// The file services of the command bodies: the platform's in the plug-in; tests hand in their
// own to make a write or a read fail as a disk or a locked folder would.
struct tCommandFiles {
  // Where a rewrite's bytes go (a temporary file beside the destination, renamed on commit).
  OutputOpener openOutput = OpenReplacingFile;
  // Reads a whole file; throws FileError with the system's reason.
  std::function<std::string(const std::string& path)> readWholeFile = platform::ReadWholeFile;
};

}  // namespace dux
