#pragma once

#include <cstdint>
#include <string>

namespace dux {

// Where the last scan of a file stopped reading, kept by the caller from one scan to the next.
// A script reads a file's IPTC and then its EXIF, so the second scan most often reads the file
// the first one just read: its leading part is in the page cache, and it most often ends where
// it ended. The second scan then reads that part in one read and gives the system no read-ahead
// hint. It only sizes reads: a file changed in between is read as far as it needs, as any other.
struct tScanMemory {
  std::string fileName;
  std::int64_t reach = 0;  // the end of the furthest byte read; 0 for none
};

}  // namespace dux
