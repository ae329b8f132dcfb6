#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "metadata/TimgData.h"
#include "metadata/bytes/ByteStream.h"
#include "metadata/bytes/ByteWriter.h"
#include "metadata/iptc/PhotoshopResources.h"
#include "metadata/jpeg/JpegImage.h"
#include "metadata/xmp/XmpPacket.h"
#include "platform/FormatError.h"

namespace dux {
namespace {

// JFIF 1.02, dots per inch, 300 by 300, no thumbnail.
constexpr std::string_view kDefaultApp0{
    "\xFF\xE0\x00\x10JFIF\x00\x01\x02\x01\x01\x2C\x01\x2C\x00\x00", 18};

void AppendSection(std::string& out, const tSection& section) {
  out += '\xFF';
  out += static_cast<char>(section.markerCode & 0xFF);
  out += section.Data();
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

// Whether a leading segment of `image` is an APP0 holding the JFIF header: its first bytes.
bool IsJfifApp0(const JpegImage& image, const tLeadingSegment& segment) {
  if (segment.marker != kMarkerApp0 || segment.end - segment.markerOffset < 8) return false;
  return image.ReadRange(segment.markerOffset + 3, segment.markerOffset + 8) ==
         std::string_view("JFIF\0", 5);
}

// Whether a leading segment of `image` is an APP1 that starts with the EXIF signature.
bool IsExifApp1(const JpegImage& image, const tLeadingSegment& segment) {
  if (segment.marker != kMarkerApp1 || segment.end - segment.markerOffset < 8) return false;
  return image.ReadRange(segment.markerOffset + 3, segment.markerOffset + 8) ==
         std::string_view("Exif\0", 5);
}

// The rebuilt segments in two parts: SOI and the EXIF APP1, or else `app0` (a whole APP0 segment,
// or nothing where the caller writes the source's own), in `front`; the new XMP, the IPTC APP13s
// and the kept COM in `back`. What continues the EXIF stands between the two.
void HeaderSegments(const tSection* exif, std::string_view app0, std::string_view newXmp,
                    const tSection* iptc, const std::vector<tSection>& iptcContinuation,
                    const tSection* comment, std::string& front, std::string& back) {
  front = "\xFF\xD8";
  if (exif != nullptr) {
    AppendSection(front, *exif);  // the kept APP0 is then left out
  } else {
    front += app0;
  }
  back = newXmp;
  if (iptc != nullptr) {
    AppendSection(back, *iptc);
    for (const tSection& more : iptcContinuation) AppendSection(back, more);
  }
  if (comment != nullptr) AppendSection(back, *comment);
}

// An APP13 section holding `payload`.
void FillApp13(tSection& s, std::string_view payload) {
  const std::size_t length = payload.size() + 2;
  s.owned.clear();
  AppendWord(s.owned, static_cast<std::uint32_t>(length));
  s.owned += payload;
  s.held = {};
  s.lengthField = static_cast<std::int32_t>(length);
  s.markerCode = kMarkerApp13;
  s.markerOffset = -1;
}

bool IsPhotoshopApp13(std::string_view sectionBytes, std::int32_t markerCode) {
  return markerCode == kMarkerApp13 &&
         sectionBytes.substr(std::min<std::size_t>(2, sectionBytes.size()), 14) ==
             kPhotoshopSignature;
}

}  // namespace

void TimgData::ScanForRewrite(const JpegImage& image) {
  ResetState();
  request.viewInBuffers = false;  // the write changes the bytes of its sections
  ScanJpegStream(*image.Stream());
}

void TimgData::StoreIptcSegment(std::string_view payload) {
  if (iptcSection == nullptr) {
    if (sectionCount >= static_cast<std::int32_t>(sections.size())) {
      throw FormatError("no room for an IPTC segment");
    }
    iptcSection = &sections[static_cast<std::size_t>(sectionCount++)];
  }
  FillApp13(*iptcSection, payload);
  iptcContinuation.clear();
}

bool TimgData::StoreXmpPacket(std::string_view packet, const JpegImage& image) {
  const std::size_t length = 2 + kXmpSignature.size() + packet.size();
  if (length > 0xFFFF) return false;
  // The source's packet is replaced where it stands: as one of the leading segments, or after the
  // image's tables as a whole segment, 0xFF and all. The scan takes a byte that is no 0xFF for a
  // marker where a decoder skips it; such a segment stands in the bytes copied as they are.
  if (xmpSection != nullptr && Movable(xmpSection, image) == nullptr) {
    const std::int64_t start = xmpSection->markerOffset - 1;  // where its 0xFF should stand
    const std::int64_t end = xmpSection->markerOffset + 1 + xmpSection->lengthField;
    if (start < image.TailStart() || end > image.Size() ||
        image.ReadRange(start, start + 1) != "\xFF")
      return false;
  }
  xmpReplacement_ = "\xFF\xE1";
  AppendWord(xmpReplacement_, static_cast<std::uint32_t>(length));
  xmpReplacement_.append(kXmpSignature).append(packet);
  return true;
}

void TimgData::StoreIptcBlock(std::string_view block, std::vector<std::int64_t> replaced) {
  const std::vector<std::string> payloads = SplitIntoPayloads(block);
  StoreIptcSegment(payloads.front());
  for (std::size_t i = 1; i < payloads.size(); ++i)
    FillApp13(iptcContinuation.emplace_back(), payloads[i]);
  replacedApp13_ = std::move(replaced);
}

bool TimgData::IptcStandsAfterTables(const JpegImage& image) const {
  return iptcSection != nullptr && iptcSection->markerOffset >= 0 &&
         Movable(iptcSection, image) == nullptr;
}

tPhotoshopRun TimgData::FindPhotoshopRun(const JpegImage& image) {
  std::vector<std::int64_t> offsets;
  std::vector<std::string> sections;  // at most the limit of one kind, 64 KB each
  for (const tLeadingSegment& s : image.LeadingSegments()) {
    std::string section =
        s.marker == kMarkerApp13 ? image.ReadRange(s.markerOffset + 1, s.end) : std::string();
    if (IsPhotoshopApp13(section, s.marker)) {
      offsets.push_back(s.markerOffset);
      sections.push_back(std::move(section));
    } else if (!offsets.empty()) {
      break;
    }
  }
  std::vector<std::string_view> payloads;
  for (const std::string& section : sections)
    payloads.push_back(std::string_view(section).substr(2 + kPhotoshopSignature.size()));
  // The block may continue over the following segments; a segment after it that does not
  // continue it (a second block, or one that does not parse) is not part of the run. Of two
  // whole blocks, the IPTC goes into the one that holds it, and the other stays as it is.
  if (const tBlockSpan span = IptcBlockSpan(payloads); span.count != 0) {
    std::string block;
    for (std::size_t i = span.first; i < span.first + span.count; ++i) block.append(payloads[i]);
    if (auto resources = ParseImageResources(block)) {
      return {std::vector<std::int64_t>(
                  offsets.begin() + static_cast<std::ptrdiff_t>(span.first),
                  offsets.begin() + static_cast<std::ptrdiff_t>(span.first + span.count)),
              std::move(*resources),
              {}};
    }
  }
  if (payloads.empty()) return {};
  // A damaged block: its first segment, as far as it parses.
  const tResourceRun first = ReadImageResources(payloads.front());
  return {{offsets.front()}, OwnedResources(first.resources), std::string(first.unparsed)};
}

std::string TimgData::IptcBlock() const {
  std::string joined;
  return std::string(IptcBlockView(joined));
}

std::string_view TimgData::IptcBlockView(std::string& joined) const {
  if (iptcSection == nullptr) return {};
  const std::string_view first = iptcSection->Data();
  if (!IsPhotoshopApp13(first, iptcSection->markerCode)) return first;
  // Photoshop spreads a large resource block over consecutive APP13 segments, each starting
  // with the signature: the continuations join on without theirs.
  const tSection* end = iptcSection + 1;
  for (; end < sections.data() + sectionCount && IsPhotoshopApp13(end->Data(), end->markerCode);
       ++end) {
  }
  if (end == iptcSection + 1) return first;
  std::vector<std::string_view> payloads;
  for (const tSection* s = iptcSection; s < end; ++s)
    payloads.push_back(s->Data().substr(2 + kPhotoshopSignature.size()));
  // Of segments that each hold a whole block, the one with the IPTC; where none parses with it,
  // all of them, in which the read looks for the datasets wherever they stand.
  tBlockSpan span = IptcBlockSpan(payloads);
  if (!span.holdsIptc) span = {0, payloads.size(), false};
  const tSection* from = iptcSection + span.first;
  if (span.count == 1) return from->Data();
  joined.assign(from->Data());
  for (std::size_t i = span.first + 1; i < span.first + span.count; ++i) joined.append(payloads[i]);
  return joined;
}

void TimgData::StartEmptyIptc() {
  StoreIptcSegment({});
  iptcInfo = std::make_unique<TIPTCdata>();
}

namespace {

// The JFIF header the rewrite writes first when there is no EXIF: the source's last. Other APP0
// segments (a JFXX thumbnail, AVI1) are no JFIF header and stay where they stand.
const tLeadingSegment* LastJfifHeader(const JpegImage& image) {
  const tLeadingSegment* jfif = nullptr;
  for (const tLeadingSegment& segment : image.LeadingSegments()) {
    if (IsJfifApp0(image, segment)) jfif = &segment;
  }
  return jfif;
}

// EXIF larger than a segment continues in the APP1 "Exif" segments right after the first; they
// move with it, so that readers that join them still can.
std::vector<const tLeadingSegment*> ExifContinuation(const JpegImage& image, const tSection* exif) {
  const auto& leading = image.LeadingSegments();
  std::vector<const tLeadingSegment*> continuation;
  for (std::size_t i = 0; exif != nullptr && i < leading.size(); ++i) {
    if (!IsFrom(exif, leading[i])) continue;
    for (std::size_t k = i + 1; k < leading.size() && IsExifApp1(image, leading[k]); ++k)
      continuation.push_back(&leading[k]);
  }
  return continuation;
}

tPiece RangeOf(const tLeadingSegment& s) { return tPiece::Source(s.start, s.end); }

// What follows the leading run: copied, but for an XMP packet that stands after the tables and
// is replaced (`xmp` with its `replacement`), whose bytes around it are copied.
void AppendTail(std::vector<tPiece>& pieces, const JpegImage& image, const tSection* xmp,
                std::string_view replacement) {
  const std::int64_t xmpStart = xmp != nullptr ? xmp->markerOffset - 1 : 0;
  if (xmp == nullptr || xmpStart < image.TailStart()) {
    pieces.push_back(tPiece::Source(image.TailStart(), image.Size()));
    return;
  }
  const std::int64_t xmpEnd = std::min(xmp->markerOffset + 1 + xmp->lengthField, image.Size());
  pieces.push_back(tPiece::Source(image.TailStart(), xmpStart));
  pieces.push_back(tPiece::Made(replacement));
  pieces.push_back(tPiece::Source(xmpEnd, image.Size()));
}

}  // namespace

void TimgData::PatchExifDimensions(const JpegImage& image) {
  if (!exifInfo || exifSection == nullptr) return;
  if (exifSection->held.data() !=
      nullptr) {  // bytes a read's buffer holds are copied before they change
    exifSection->owned = exifSection->held;
    exifSection->held = {};
  }
  exifInfo->PatchDimensions(exifSection->owned, image.Height(), image.Width());
}

std::vector<tPiece> TimgData::RewrittenJpeg(const JpegImage& image, bool patchDimensions,
                                            std::deque<std::string>& made) {
  if (patchDimensions) PatchExifDimensions(image);
  const tSection* exif = Movable(exifSection, image);
  const tSection* comment = Movable(commentSection, image);
  const tLeadingSegment* jfif = LastJfifHeader(image);
  const std::vector<const tLeadingSegment*> exifContinuation = ExifContinuation(image, exif);
  // A new XMP packet stands where the old one stood; one for a file without goes into the header.
  const bool replacesXmp =
      xmpSection != nullptr && xmpSection->markerOffset >= 0 && !xmpReplacement_.empty();
  std::string& front = made.emplace_back();
  std::string& back = made.emplace_back();
  HeaderSegments(exif, jfif != nullptr ? std::string_view() : kDefaultApp0,
                 xmpSection == nullptr ? xmpReplacement_ : std::string_view(), iptcSection,
                 iptcContinuation, comment, front, back);
  std::vector<tPiece> pieces = {tPiece::Made(front)};
  if (exif == nullptr && jfif != nullptr) pieces.push_back(RangeOf(*jfif));
  for (const tLeadingSegment* more : exifContinuation) pieces.push_back(RangeOf(*more));
  pieces.push_back(tPiece::Made(back));
  // Of the source's leading run, drop what the rebuilt segments replace: the EXIF APP1s and the
  // kept COM written above, the Photoshop APP13 segments the new block replaces, the JFIF APP0
  // written above, and a JFIF APP0 right after SOI, which is left out when EXIF is written. XMP,
  // ICC, other APP0s, other APP13s and the rest are kept.
  const auto listed = [](const auto& list, const auto& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
  };
  for (const tLeadingSegment& segment : image.LeadingSegments()) {
    const bool replaced = listed(replacedApp13_, segment.markerOffset) ||
                          listed(exifContinuation, &segment) || IsFrom(exif, segment) ||
                          IsFrom(comment, segment) || (exif == nullptr && &segment == jfif) ||
                          (segment.markerOffset == 3 && IsJfifApp0(image, segment));
    if (replacesXmp && IsFrom(xmpSection, segment)) {
      pieces.push_back(tPiece::Made(xmpReplacement_));
    } else if (!replaced) {
      pieces.push_back(RangeOf(segment));
    }
  }
  AppendTail(pieces, image, replacesXmp ? xmpSection : nullptr, xmpReplacement_);
  return pieces;
}

void TimgData::SaveJpegWithSegments(JpegImage& image, const std::string& destination,
                                    bool patchDimensions, const OutputOpener& open,
                                    const RewriteCheck& check) {
  std::deque<std::string> made;
  const std::vector<tPiece> pieces = RewrittenJpeg(image, patchDimensions, made);
  WriteJpeg(image, pieces, destination, open, check);
}

}  // namespace dux
