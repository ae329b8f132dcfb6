#include <string>
#include <vector>

#include "metadata/ByteStream.h"
#include "metadata/JpegImage.h"
#include "metadata/TimgData.h"
#include "platform/FormatError.h"

namespace dux {
namespace {

constexpr std::uint8_t kMarkerApp0 = 0xE0, kMarkerApp13 = 0xED;

// JFIF 1.02, dots per inch, 300 by 300, no thumbnail.
constexpr std::string_view kDefaultApp0{
    "\xFF\xE0\x00\x10JFIF\x00\x01\x02\x01\x01\x2C\x01\x2C\x00\x00", 18};

void AppendSection(std::string& out, const tSection& section) {
  out += '\xFF';
  out += static_cast<char>(section.markerCode & 0xFF);
  out += section.bytes;
}

bool IsFrom(const tSection* section, const tLeadingSegment& segment) {
  return section != nullptr && section->markerOffset >= 0 &&
         section->markerOffset == segment.markerOffset;
}

// A kept section moves to the rebuilt header only when it stands in the source's leading run
// (or was made here); one that stands further on stays where it is, inside the bytes copied
// unchanged, so that it is never doubled.
const tSection* Movable(const tSection* section, const JpegImage& image) {
  if (section == nullptr || section->markerOffset < 0) return section;
  for (const tLeadingSegment& segment : image.LeadingSegments()) {
    if (IsFrom(section, segment)) return section;
  }
  return nullptr;
}

std::string HeaderSegments(const tSection* exif, const tSection* header, const tSection* iptc,
                           const tSection* comment) {
  std::string out = "\xFF\xD8";
  if (exif != nullptr) {
    AppendSection(out, *exif);  // the kept APP0 is then left out
  } else if (header != nullptr) {
    AppendSection(out, *header);
  } else {
    out += kDefaultApp0;
  }
  if (iptc != nullptr) AppendSection(out, *iptc);
  if (comment != nullptr) AppendSection(out, *comment);
  return out;
}

}  // namespace

JpegImage TimgData::ScanForRewrite(const std::string& name) {
  ResetState();
  JpegImage image = JpegImage::Load(name);
  if (FileKindOf(name) == tFileKind::kJpeg) {
    MemoryByteStream stream(image.Bytes());
    ScanJpegStream(stream);
  }
  return image;
}

void TimgData::StoreIptcSegment(std::string_view payload) {
  if (iptcSection == nullptr) {
    if (sectionCount >= static_cast<std::int32_t>(sections.size())) {
      throw FormatError("no room for an IPTC segment");
    }
    iptcSection = &sections[static_cast<std::size_t>(sectionCount++)];
  }
  const std::size_t length = payload.size() + 2;
  tSection& s = *iptcSection;
  s.bytes.clear();
  s.bytes += static_cast<char>((length >> 8) & 0xFF);
  s.bytes += static_cast<char>(length & 0xFF);
  s.bytes += payload;
  s.lengthField = static_cast<std::int32_t>(length);
  s.markerCode = kMarkerApp13;
  s.markerOffset = -1;
}

void TimgData::StartEmptyIptc() {
  StoreIptcSegment({});
  iptcInfo = std::make_unique<TIPTCdata>();
}

std::string TimgData::WriteHeaderSegments() const {
  return HeaderSegments(exifSection, headerSection, iptcSection, commentSection);
}

std::vector<std::string_view> TimgData::RewrittenJpeg(const JpegImage& image, bool patchDimensions,
                                                      std::string& header) {
  if (patchDimensions && exifInfo && exifSection != nullptr) {
    exifInfo->PatchDimensions(exifSection->bytes, image.Height(), image.Width());
  }
  const tSection* exif = Movable(exifSection, image);
  const tSection* app0 = Movable(headerSection, image);
  const tSection* comment = Movable(commentSection, image);
  const std::string_view source = image.Bytes();
  header = HeaderSegments(exif, app0, iptcSection, comment);
  std::vector<std::string_view> pieces = {header};
  // Of the source's leading run, drop what the rebuilt segments replace: the EXIF APP1 and the
  // kept COM written above, every APP13, the APP0 written above, and an APP0 right after SOI,
  // which is left out when EXIF is written. XMP, ICC, other APP0s and the rest are kept.
  for (const tLeadingSegment& segment : image.LeadingSegments()) {
    const bool replaced = segment.marker == kMarkerApp13 || IsFrom(exif, segment) ||
                          IsFrom(comment, segment) || (exif == nullptr && IsFrom(app0, segment)) ||
                          (segment.marker == kMarkerApp0 && segment.markerOffset == 3);
    if (!replaced) {
      pieces.push_back(source.substr(static_cast<std::size_t>(segment.start),
                                     static_cast<std::size_t>(segment.end - segment.start)));
    }
  }
  pieces.push_back(source.substr(static_cast<std::size_t>(image.TailStart())));
  return pieces;
}

void TimgData::SaveJpegWithSegments(JpegImage& image, const std::string& destination, bool patchDimensions,
                                    const OutputOpener& open) {
  std::string header;
  const std::vector<std::string_view> pieces = RewrittenJpeg(image, patchDimensions, header);
  WriteJpeg(image, pieces, destination, open);
}

}  // namespace dux
