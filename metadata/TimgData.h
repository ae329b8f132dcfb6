#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/TIPTCdata.h"
#include "metadata/TImageInfo.h"
#include "metadata/tEndInd.h"

namespace dux {

class ByteStream;
class JpegImage;

// One JPEG segment as stored after its 0xFF and marker byte.
struct tSection {
  std::string bytes;                // the two length bytes, then the payload
  std::int32_t markerCode = 0;      // 0xC0..0xFE
  std::int32_t lengthField = 0;     // big-endian value of the two length bytes
  std::int64_t markerOffset = -1;   // file offset of the marker byte; -1 when not from a file
};

// The metadata container of one image file. ScanFile fills it from a JPEG file (segment by
// segment, up to SOS) or a TIFF-structured file (one EXIF buffer); the write half rebuilds the
// leading segments of a JPEG file with a new IPTC block.
class TimgData : public tEndInd {
 public:
  static constexpr int kMaxScannedSections = 20;

  // Create: stores buildMode (2, 4 or 255, handed to every TImageInfo), then ResetState.
  explicit TimgData(std::int32_t buildMode);
  ~TimgData() override;
  TimgData(const TimgData&) = delete;
  TimgData& operator=(const TimgData&) = delete;

  // Scans a file: true when a supported file yielded metadata. ErrStr tells the outcome: empty
  // for a missing file, "<none>" on success, else the reason. Never throws.
  bool ScanFile(const std::string& fileName);
  void ResetState();
  bool HasAnyMetadata() const;
  bool HasExifSegment() const { return exifSection != nullptr; }
  bool HasThumbnail() const;
  // The payload of the kept COM segment, as long as its own length field says.
  std::string CommentText() const;
  void CaptureFileInfo(const std::string& fileName);
  bool ScanJpegFile(const std::string& fileName);
  bool ScanJpegStream(ByteStream& stream);
  bool ScanTiffFile(const std::string& fileName);
  bool ScanTiffStream(ByteStream& stream);
  // Checks the EXIF header of exifSection, hands its bytes to exifInfo and has it walk IFD0.
  void DecodeExifSegment();

  // Makes iptcSection hold a new APP13 payload (taking a new slot when there is none).
  void StoreIptcSegment(std::string_view payload);
  // Starts an empty IPTC block for a file that has none.
  void StartEmptyIptc();
  // SOI and the rebuilt leading segments: the EXIF APP1 (else the kept APP0, else a default
  // JFIF APP0), the IPTC APP13 and the kept COM.
  std::string WriteHeaderSegments() const;
  // Writes `destination` safely: the rebuilt segments, the source's other leading APPn and COM
  // segments in their order, then the source from its first other segment, byte for byte.
  // Throws FormatError; on failure the destination keeps its old bytes.
  void SaveJpegWithSegments(JpegImage& image, const std::string& destination, bool patchDimensions);
  // The bytes SaveJpegWithSegments writes before the image's remainder, as pieces in order: the
  // rebuilt segments (kept in `header`) and views into the image's bytes. Throws FormatError
  // when the image is not the file the scan read (it changed in between).
  std::vector<std::string_view> RewrittenJpeg(const JpegImage& image, bool patchDimensions,
                                              std::string& header);

  // False when the caller needs the segments but not the EXIF directories (the IPTC read): the
  // EXIF header is still checked, the walk is left out.
  bool walkExif = true;

  std::array<tSection, kMaxScannedSections + 1> sections{};
  bool tiffMode = false;
  std::int32_t buildMode = 255;
  std::int32_t sectionCount = 0;
  tSection* exifSection = nullptr;     // APP1
  tSection* iptcSection = nullptr;     // the first APP13
  tSection* commentSection = nullptr;  // the last COM
  tSection* headerSection = nullptr;   // the last APP0
  std::string fileName;
  double fileDateTime = 0;  // last write, local time, days since 1899-12-30, 2-second steps
  std::int64_t fileSize = 0;
  std::string ErrStr;
  std::unique_ptr<TImageInfo> exifInfo;
  std::unique_ptr<TIPTCdata> iptcInfo;

 private:
  void CheckUnchanged(const JpegImage& image) const;
};

}  // namespace dux
