#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Builders for synthetic JPEG pieces, so tests state their inputs instead of pasting hex.
namespace dux::test {

// A whole segment: 0xFF, marker, big-endian length (payload + 2), payload.
std::string Segment(std::uint8_t marker, std::string_view payload);

// An IPTC dataset: 0x1C, record, dataset, 16-bit length, value.
std::string Dataset(int record, int dataset, std::string_view value);

// One Photoshop image resource: "8BIM", id, Pascal name padded to even, size, data padded.
std::string Resource(std::uint16_t id, std::string_view data, std::string_view name = "");

// An APP13 payload: "Photoshop 3.0", NUL, then the resources as given.
std::string PhotoshopPayload(std::string_view resources);

// A real baseline JPEG made by libjpeg (SOI, JFIF APP0, DQT, SOF0, DHT, SOS, data, EOI).
std::string TinyJpeg(int width = 16, int height = 8);

// The parts of a JPEG: everything from its first segment that is neither APPn nor COM.
std::string ImageTail(std::string_view jpeg);

// The APPn/COM segments right after SOI, each whole (0xFF, marker, length, payload).
std::vector<std::string> LeadingSegments(std::string_view jpeg);

// SOI, the given segments, then the image tail of a tiny JPEG.
std::string JpegWith(const std::vector<std::string>& segments, int width = 16, int height = 8);

}  // namespace dux::test
