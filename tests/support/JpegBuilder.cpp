#include "tests/support/JpegBuilder.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "metadata/jpeg/JpegImage.h"
#include "tools/support/JpegEncoder.h"

namespace dux::test {

std::string Segment(std::uint8_t marker, std::string_view payload) {
  const std::size_t length = payload.size() + 2;
  std::string out = "\xFF";
  out += static_cast<char>(marker);
  out += static_cast<char>((length >> 8) & 0xFF);
  out += static_cast<char>(length & 0xFF);
  out += payload;
  return out;
}

std::string Dataset(int record, int dataset, std::string_view value) {
  std::string out = "\x1C";
  out += static_cast<char>(record);
  out += static_cast<char>(dataset);
  out += static_cast<char>((value.size() >> 8) & 0xFF);
  out += static_cast<char>(value.size() & 0xFF);
  out += value;
  return out;
}

std::string Resource(std::uint16_t id, std::string_view data, std::string_view name) {
  std::string out = "8BIM";
  out += static_cast<char>(id >> 8);
  out += static_cast<char>(id & 0xFF);
  out += static_cast<char>(name.size());
  out += name;
  if ((name.size() + 1) % 2 != 0) out += '\0';
  for (int shift = 24; shift >= 0; shift -= 8)
    out += static_cast<char>((data.size() >> shift) & 0xFF);
  out += data;
  if (data.size() % 2 != 0) out += '\0';
  return out;
}

std::string PhotoshopPayload(std::string_view resources) {
  return std::string("Photoshop 3.0\0", 14) + std::string(resources);
}

std::string TinyJpeg(int width, int height) {
  // Quality 75 is libjpeg's default.
  return tools::EncodeRgbJpeg(width, height, 75, [width](int y, std::span<unsigned char> row) {
    for (int x = 0; x < width; ++x) {
      row[static_cast<std::size_t>(x) * 3] = static_cast<unsigned char>(x * 16);
      row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>(y * 32);
      row[static_cast<std::size_t>(x) * 3 + 2] = 128;
    }
  });
}

std::vector<std::string> LeadingSegments(std::string_view jpeg) {
  std::vector<std::string> segments;
  for (const tLeadingSegment& s : FindLeadingSegments(jpeg)) {
    segments.emplace_back(
        jpeg.substr(static_cast<std::size_t>(s.start), static_cast<std::size_t>(s.end - s.start)));
  }
  return segments;
}

std::string ImageTail(std::string_view jpeg) {
  std::int64_t tail = 2;
  FindLeadingSegments(jpeg, &tail);
  return std::string(jpeg.substr(static_cast<std::size_t>(tail)));
}

std::string JpegWith(const std::vector<std::string>& segments, int width, int height) {
  std::string out = "\xFF\xD8";
  for (const std::string& s : segments) out += s;
  return out + ImageTail(TinyJpeg(width, height));
}

}  // namespace dux::test
