#include <string>

#include "metadata/AsciiText.h"
#include "metadata/CommaList.h"
#include "metadata/IptcTags.h"
#include "metadata/JpegImage.h"
#include "metadata/PhotoshopResources.h"
#include "metadata/TIPTCdata.h"
#include "metadata/TimgData.h"
#include "platform/FormatError.h"

namespace dux {
namespace {

constexpr std::size_t kMaxDatasetValue = 65535;
constexpr std::size_t kMaxPayload = 65533;  // a segment's 16-bit length counts its own 2 bytes

constexpr std::string_view kPayloadHead{"Photoshop 3.0\0" "8BIM\x04\x04\0\0\0\0", 24};
constexpr std::string_view kEmptyUrlList{"8BIM\x04\x0B\0\0\0\0\0\0", 12};

void AppendBigEndian16(std::string& out, std::size_t value) {
  out += static_cast<char>((value >> 8) & 0xFF);
  out += static_cast<char>(value & 0xFF);
}

}  // namespace

std::string TIPTCdata::EncodeDataset(int record, int dataset, std::string_view value) {
  if (value.size() > kMaxDatasetValue) {
    throw FormatError("the value of IPTC dataset " + std::to_string(record) + ":" +
                      std::to_string(dataset) + " has " + std::to_string(value.size()) +
                      " bytes, more than the 65535 a dataset can hold");
  }
  std::string out;
  out.reserve(5 + value.size());
  out += '\x1C';
  out += static_cast<char>(record & 0xFF);
  out += static_cast<char>(dataset & 0xFF);
  AppendBigEndian16(out, value.size());
  out += value;
  return out;
}

std::string TIPTCdata::EncodeListDatasets(int record, int dataset, std::string_view list) {
  std::vector<std::string> items = SplitCommaList(list);
  // A final comma ends the list; it does not add an empty item.
  const std::string_view trimmed = TrimRightBlanks(list);
  if (!items.empty() && items.back().empty() && !trimmed.empty() && trimmed.back() == ',') {
    items.pop_back();
  }
  std::string out;
  for (const std::string& item : items) out += EncodeDataset(record, dataset, item);
  return out;
}

std::string TIPTCdata::BuildSegmentPayload(std::string_view otherResources, bool hasUrlList) const {
  std::string body;
  for (const TTagEntry& entry : entries_) {
    if (entry.RecordNumber == 2 && IsIptcListDataset(entry.TagNumber)) {
      body += EncodeListDatasets(2, entry.TagNumber, entry.DisplayValue);
    } else {
      body += EncodeDataset(entry.RecordNumber, entry.TagNumber, entry.DisplayValue);
    }
  }
  if (body.size() % 2 == 0) body += '\0';  // keeps the resource, and the next one, at even length
  const std::string version = EncodeDataset(2, 0, std::string_view("\x00\x02", 2));
  const std::size_t resourceSize = body.size() + version.size();
  const std::size_t total = kPayloadHead.size() + 2 + resourceSize + otherResources.size() +
                            (hasUrlList ? 0 : kEmptyUrlList.size());
  if (total > kMaxPayload) {
    throw FormatError("the IPTC block would take " + std::to_string(total) +
                      " bytes, more than the 65533 a JPEG segment can hold");
  }
  std::string payload;
  payload.reserve(total);
  payload += kPayloadHead;
  AppendBigEndian16(payload, resourceSize);
  payload += version;
  payload += body;
  payload += otherResources;
  if (!hasUrlList) payload += kEmptyUrlList;
  return payload;
}

void TIPTCdata::WriteToFile(TimgData& container, JpegImage& source, const std::string& destination,
                            const OutputOpener& open) const {
  const tImageResources others = OtherImageResources(source.FirstApp13());
  std::string payload;
  try {
    payload = BuildSegmentPayload(others.bytes, others.hasUrlList);
  } catch (const FormatError& e) {
    throw FormatError("Cannot write IPTC into '" + destination + "': " + e.what());
  }
  container.StoreIptcSegment(payload);
  container.SaveJpegWithSegments(source, destination, true, open);
}

}  // namespace dux
