#pragma once

#include <cstdint>
#include <string>

#include "metadata/bytes/ByteStream.h"

// The one marker tokenizer of the library: every walk over JPEG segments finds its markers here.
namespace dux {

// The marker codes the library names.
inline constexpr std::uint8_t kMarkerSoi = 0xD8, kMarkerEoi = 0xD9, kMarkerSos = 0xDA;
inline constexpr std::uint8_t kMarkerApp0 = 0xE0, kMarkerApp1 = 0xE1, kMarkerApp13 = 0xED,
                              kMarkerApp15 = 0xEF;
inline constexpr std::uint8_t kMarkerCom = 0xFE;

// How a walk treats the bytes between segments.
struct tMarkerPolicy {
  // false: the first byte after the 0xFF fill bytes is the marker, and a byte that is not 0xFF
  // where a marker should start is itself taken as the marker (the metadata scan: a missing
  // 0xFF is not detected). true: bytes before the next 0xFF are skipped, as a decoder does.
  bool skipStrayBytes = false;
  // true: SOI, TEM and RST0..7 stand alone without a length field (as a decoder reads them).
  // false: every marker is followed by a length field.
  bool standAloneMarkers = false;
};

// The metadata scan's rules, and a decoder's.
inline constexpr tMarkerPolicy kScanPolicy{false, false};
inline constexpr tMarkerPolicy kDecoderPolicy{true, true};

// One marker as the tokenizer met it. Offsets count from the stream's start.
struct tMarker {
  std::uint8_t code = 0;
  std::int64_t start = 0;         // the first byte read for it: stray bytes, then 0xFF fill bytes
  std::int64_t markerOffset = 0;  // the marker byte itself
  bool strayBefore = false;       // a byte that is not 0xFF came before its first 0xFF
};

// True for the markers without a length field under a decoder's rules: SOI, TEM, RST0..7.
constexpr bool StandsAlone(std::uint8_t code) noexcept {
  return code == kMarkerSoi || code == 0x01 || (code >= 0xD0 && code <= 0xD7);
}

// True for APP0..APP15 and COM.
constexpr bool IsAppOrComment(std::uint8_t code) noexcept {
  return (code >= kMarkerApp0 && code <= kMarkerApp15) || code == kMarkerCom;
}

// Reads up to and including the next marker byte. False at the end of the data (the marker is
// then incomplete). Throws FormatError when the stream's file reports an error.
bool NextMarker(ByteStream& stream, const tMarkerPolicy& policy, tMarker& marker);

// Whether a marker is followed by a length field under `policy`.
constexpr bool HasLengthField(const tMarkerPolicy& policy, std::uint8_t code) noexcept {
  return !(policy.standAloneMarkers && StandsAlone(code));
}

// Reads a segment's big-endian length field (it counts its own two bytes). False when the data
// ends first.
bool ReadLengthField(ByteStream& stream, std::int32_t& length);

}  // namespace dux
