#pragma once

#include <cstdint>

// A seam for tests: faults the file services simulate, so that a full disk or a refused rename
// can be tested on every platform. The plug-in itself never sets them.
namespace dux::platform {

struct tFileFaults {
  std::int64_t writeLimit = -1;  // bytes a ReplacingFile takes before the disk is "full"; -1: no limit
  bool failCommit = false;       // the rename over the destination is refused
};

void SetFileFaultsForTests(const tFileFaults& faults);
const tFileFaults& FileFaults();

}  // namespace dux::platform
