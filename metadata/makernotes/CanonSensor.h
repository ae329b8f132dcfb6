#pragma once

#include <optional>
#include <string_view>

#include "metadata/makernotes/TmsInfo.h"

namespace dux {

// The size of the image on the sensor, in millimetres.
struct tSensorSize {
  double width = 0, height = 0;
};

// The focal plane size a Canon note states (its FocalLength record, in thousandths of an inch):
// given by PowerShots and by the EOS models of the first years, whose records hold it; nothing
// for another make, another model, a note without the record, or a size below 40 thousandths.
// `exifBytes` are the EXIF bytes the note's values may stand in.
std::optional<tSensorSize> CanonFocalPlaneSize(const tNoteFacts& facts, std::string_view exifBytes);

}  // namespace dux
