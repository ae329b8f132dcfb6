#include "metadata/jpeg/JpegMarkers.h"

namespace dux {

bool NextMarker(ByteStream& stream, const tMarkerPolicy& policy, tMarker& marker) {
  marker = tMarker{};
  marker.start = stream.Position();
  std::uint8_t c = 0;
  if (!stream.ReadByte(c)) return false;
  if (policy.skipStrayBytes) {
    while (c != 0xFF) {
      marker.strayBefore = true;
      if (!stream.ReadByte(c)) return false;
    }
  } else {
    marker.strayBefore = c != 0xFF;
  }
  while (c == 0xFF) {
    if (!stream.ReadByte(c)) return false;
  }
  marker.code = c;
  marker.markerOffset = stream.Position() - 1;
  return true;
}

bool ReadLengthField(ByteStream& stream, std::int32_t& length) {
  std::uint8_t high = 0, low = 0;
  if (!stream.ReadByte(high) || !stream.ReadByte(low)) return false;
  length = high << 8 | low;
  return true;
}

}  // namespace dux
