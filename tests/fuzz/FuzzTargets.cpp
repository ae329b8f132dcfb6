#include "tests/fuzz/FuzzTargets.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/IptcFields.h"
#include "host/UtilityCommands.h"
#include "metadata/ByteStream.h"
#include "metadata/IptcTags.h"
#include "metadata/JpegImage.h"
#include "platform/FormatError.h"
#include "metadata/TimgData.h"

namespace dux::fuzz {
namespace {

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
  }
}

// Everything duxEXIFread asks of a scanned file.
void ExerciseExif(TimgData& image) {
  if (!image.exifInfo) return;
  TImageInfo& info = *image.exifInfo;
  const std::string errStr = image.ErrStr.empty() ? "<none>" : image.ErrStr;
  std::string lines = info.SummaryShort(image.FileFacts(), errStr) + info.SummaryLong(image.FileFacts(), errStr);
  TTagEntry entry;
  for (const int table : {0, 1}) {
    info.RewindEntries();
    while (info.NextEntryOfTable(table, entry)) lines += entry.Description + "=" + entry.DisplayValue;
  }
  if (image.HasThumbnail()) {
    info.ParseThumbnailDirectory();
    info.RewindThumbnailEntries();
    while (info.NextThumbnailEntryOfTable(0, entry)) lines += entry.DisplayValue;
  }
  lines += image.CommentText();
  Require(lines.size() < (1u << 30), "line lists stay bounded");
}

void ExerciseIptc(TimgData& image) {
  if (image.iptcSection == nullptr) return;
  image.iptcInfo->ParseSegment(image.iptcSection->bytes);
  for (const tIptcFieldRow& row : kIptcFields) (void)image.iptcInfo->ValueOf(row.Field, "");
}

std::string ImageTail(const std::string& jpeg) {
  std::int64_t tail = 2;
  FindLeadingSegments(jpeg, &tail);
  return jpeg.substr(static_cast<std::size_t>(std::min<std::int64_t>(tail, std::ssize(jpeg))));
}

}  // namespace

void JpegScan(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TimgData image(255);
  MemoryByteStream stream(bytes);
  image.ScanJpegStream(stream);
  ExerciseIptc(image);
  ExerciseExif(image);
}

void TiffScan(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TimgData image(255);
  image.tiffMode = true;
  MemoryByteStream stream(bytes);
  image.ScanTiffStream(stream);
  ExerciseExif(image);
}

void IptcRoundTrip(const std::uint8_t* data, std::size_t size) {
  const std::string source(reinterpret_cast<const char*>(data), size);
  std::optional<JpegImage> jpeg;
  try {
    jpeg = JpegImage::FromBytes(source, "in memory");
  } catch (const FormatError&) {  // not a JPEG libjpeg can read: refused before anything is scanned
    return;
  }
  TimgData image(255);
  MemoryByteStream stream(jpeg->Bytes());
  image.ScanJpegStream(stream);
  if (image.iptcSection != nullptr) {
    image.iptcInfo->ParseSegment(image.iptcSection->bytes);
  } else {
    image.StartEmptyIptc();
  }
  // New values: what was read, turned around, so that every field the file had is written.
  std::vector<std::pair<std::string, std::string>> written;
  for (const tIptcFieldRow& row : kIptcFields) {
    std::string value = image.iptcInfo->ValueOf(row.Field, "");
    if (row.IsList || value.empty()) continue;
    value.assign(value.rbegin(), value.rend());
    written.emplace_back(row.Field, value.substr(0, static_cast<std::size_t>(row.Limit)));
  }
  image.iptcInfo->ClearEntries();
  for (const auto& [field, value] : written) image.iptcInfo->SetValue(field, value);
  try {
    image.StoreIptcSegment(image.iptcInfo->BuildSegmentPayload());
    std::string header, output;
    for (const std::string_view piece : image.RewrittenJpeg(*jpeg, true, header)) output += piece;
    TimgData again(255);
    MemoryByteStream outStream(output);
    again.ScanJpegStream(outStream);
    Require(again.iptcSection != nullptr, "the written file has an IPTC block");
    again.iptcInfo->ParseSegment(again.iptcSection->bytes);
    for (const auto& [field, value] : written) Require(again.iptcInfo->ValueOf(field, "\x01") == value, "values come back");
    Require(ImageTail(output) == ImageTail(source), "the image data is unchanged");
  } catch (const FormatError&) {  // too much IPTC: refused
  }
}

void TagSearch(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> parts(4);
  std::size_t part = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0 && part < 3) {
      ++part;
    } else {
      parts[part] += static_cast<char>(data[i]);
    }
  }
  try {
    (void)dux::TagSearch(parts[0], parts[1], parts[2], parts[3]);
  } catch (const std::runtime_error&) {  // the search's own errors, reported to the host
  }
}

}  // namespace dux::fuzz
