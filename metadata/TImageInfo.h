#pragma once

#include <cstdint>

#include "metadata/tEndInd.h"

namespace dux {

class TimgData;

// The decoded TIFF/EXIF directories of one image.
class TImageInfo : public tEndInd {
 public:
  TImageInfo(TimgData* owner, std::int32_t buildMode) : owner(owner), buildMode(buildMode) {}

  TimgData* owner;
  std::int32_t buildMode;
  bool tiffSource = false;
  std::int32_t thumbnailStart = 0;   // TIFF offset of IFD1 (0 = none)
  std::int32_t thumbnailLength = 0;
};

}  // namespace dux
