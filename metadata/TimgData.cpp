#include "metadata/TimgData.h"

#include <algorithm>

#include "metadata/bytes/ByteStream.h"
#include "metadata/bytes/ByteWriter.h"
#include "metadata/containers/Containers.h"
#include "metadata/containers/FileFormat.h"
#include "metadata/jpeg/JpegMarkers.h"
#include "metadata/makernotes/TmsInfo.h"
#include "metadata/tiff/BigTiff.h"
#include "metadata/tiff/IfdEntry.h"
#include "metadata/tiff/ScanMessages.h"
#include "metadata/xmp/XmpPacket.h"
#include "platform/Files.h"
#include "platform/FormatError.h"
#include "text/AsciiText.h"
#include "text/DateTime.h"

namespace dux {
bool IsXmpSection(const tSection& section) {
  return section.markerCode == kMarkerApp1 &&
         Bytes(section.Data(), 3, std::ssize(kXmpSignature)) == kXmpSignature;
}

std::optional<std::string_view> TimgData::XmpPacketBytes() const {
  if (xmpSection == nullptr) return std::nullopt;
  const std::string_view data = xmpSection->Data();
  return data.substr(std::min(data.size(), 2 + kXmpSignature.size()));
}

IptcSources IptcSourcesOf(const TimgData& image, const TIPTCdata& iim, XmpPacket::Use use) {
  std::string joined;
  return IptcSources(image.IptcBlockView(joined), image.XmpPacketBytes(), iim, use);
}

bool IsPhotoshopSection(const tSection& section) {
  return section.markerCode == kMarkerApp13 &&
         Bytes(section.Data(), 3, std::ssize(kPhotoshopSignature)) == kPhotoshopSignature;
}

TimgData::TimgData(BuildMode buildMode, platform::tLocale locale)
    : buildMode(buildMode), locale(std::move(locale)) {
  ResetState();
}

TimgData::~TimgData() = default;

void TimgData::ResetState() {
  sectionCount = 0;
  exifSection = iptcSection = commentSection = headerSection = xmpSection = nullptr;
  iptcContinuation.clear();
  replacedApp13_.clear();
  xmpReplacement_.clear();
  fileName.clear();
  fileDateTime = 0;
  fileSize = 0;
  ErrStr.clear();
  exifInfo.reset();
  iptcInfo.reset();
  bigEndian = false;
  // A slot the next scan counts before it can read the segment's length must not show what a
  // scan before it found there.
  for (tSection& s : sections) {
    s.held = {};
    s.owned.clear();
    s.markerCode = 0;
    s.lengthField = 0;
    s.markerOffset = -1;
  }
  heldBuffers_.clear();
  mappedFile_.reset();
  mappedReach_ = 0;
  bigTiff_.clear();
}

bool TimgData::HasAnyMetadata() const {
  return exifSection != nullptr || commentSection != nullptr || iptcSection != nullptr;
}

bool TimgData::HasThumbnail() const {
  return exifSection != nullptr && exifInfo && exifInfo->thumbnailStart > 21 &&
         exifInfo->thumbnailLength > 256;
}

std::string TimgData::CommentText() const {
  if (commentSection == nullptr) return {};
  return std::string(Bytes(commentSection->Data(), 3, commentSection->lengthField - 2));
}

void TimgData::CaptureFileInfo(const std::string& name, const platform::tFileStamp& stamp) {
  fileName = name;
  fileDateTime =
      DosDateTime(stamp.year, stamp.month, stamp.day, stamp.hour, stamp.minute, stamp.second);
  fileSize = stamp.size;
}

bool TimgData::ScanFile(const std::string& name) {
  ResetState();
  std::unique_ptr<platform::InputFile> file;
  // The file the last scan read: its leading part was just read, so it is read in one go, and
  // the kernel reads nothing ahead of reads that find their bytes in the page cache.
  const std::int64_t knownReach =
      scanMemory != nullptr && scanMemory->fileName == name ? scanMemory->reach : 0;
  const bool again = knownReach > 0;
  if (scanMemory != nullptr) {
    scanMemory->fileName = name;
    scanMemory->reach = 0;
  }
  try {
    file = platform::OpenInputFile(
        name, request.fileFacts ? platform::LookUp::kAtOpen : platform::LookUp::kWhenAsked,
        again ? platform::Access::kThrough : platform::Access::kInParts);
  } catch (const FormatError&) {
  }
  // A file that opens is looked up through its handle; one that does not, by its path.
  std::optional<platform::tFileStamp> stamp;
  if (!file) {
    stamp = platform::LookUpFile(name);
    if (!stamp || stamp->isDirectory) return false;
  } else if (request.fileFacts) {
    stamp = file->Stamp();
  }
  if (stamp) CaptureFileInfo(name, *stamp);
  ErrStr = ScanMessageText(ScanMessage::kNotAnExifFile);
  if (!file) {
    ErrStr = ScanMessageText(ScanMessage::kIllegalConstruction);
    return false;
  }
  bool found = false;
  // The one place where a fault of the file ends a scan: one whose read fails part way. Anything
  // else (no memory) is no fault of the file and goes on.
  FileByteStream stream(*file);
  if (again) stream.SetOpeningFill(knownReach);
  try {
    // What the file is, its first bytes tell: a JPEG is read segment by segment through the
    // stream, which has just read them; every other kind where its structure places things.
    const FileFormat format = FormatOf(stream.Peek(kFormatHeadSize));
    if (format == FileFormat::kJpeg) {
      found = ScanJpegStream(stream);
    } else {
      found = ScanByFormat(format, *file);
      mappedFile_ = std::move(file);  // a TIFF's sections view the file's mapping
    }
  } catch (const FormatError&) {
    found = false;
  }
  if (scanMemory != nullptr) scanMemory->reach = std::max(stream.Reach(), mappedReach_);
  if (found) ErrStr = ScanMessageText(ScanMessage::kNone);
  return found;
}

namespace {

// The 1-based position and the size of the value of `tag` in the IFD0 of the TIFF structure
// whose header stands at `header` in `bytes`; {0, 0} where IFD0 has none.
std::pair<std::int64_t, std::int64_t> Ifd0Value(std::string_view bytes, std::int64_t header,
                                                bool bigEndian, std::uint16_t tag) {
  const tIfdReader reader{bytes, bigEndian};
  const std::int64_t dirStart = header + Long(bytes, header + 4, bigEndian);
  const auto count = EntriesToRead(reader, dirStart, CountRule::kReadThoseThere);
  for (std::int64_t i = 0; count && i < *count; ++i) {
    const tIfdEntry entry = DecodeIfdEntry(reader, dirStart + 2 + 12 * i, header);
    if (entry.tag == tag) return {entry.valuePos, entry.size};
  }
  return {0, 0};
}

// Leaves out the entries from `from` on whose tag an entry before them already names.
void DropRepeatedEntries(std::vector<TTagEntry>& entries, std::size_t from) {
  const auto first = entries.begin() + static_cast<std::ptrdiff_t>(from);
  const auto named = [&entries, first](const TTagEntry& e) {
    return std::any_of(entries.begin(), first, [&e](const TTagEntry& old) {
      return old.TagNumber == e.TagNumber && old.TableId == e.TableId;
    });
  };
  entries.erase(std::remove_if(first, entries.end(), named), entries.end());
}

}  // namespace

bool TimgData::ScanByFormat(FileFormat format, platform::InputFile& file) {
  if (format == FileFormat::kUnknown) return false;
  const std::string_view whole = file.MapWhole();
  if (whole.empty()) return false;
  mappedReach_ = std::ssize(whole);
  switch (format) {
    case FileFormat::kFujifilmRaw: {
      MemoryByteStream jpeg(RafJpeg(whole));
      return ScanJpegStream(jpeg);
    }
    case FileFormat::kPng:
      return ScanEmbedded(PngMetadata(whole));
    case FileFormat::kWebp:
      return ScanEmbedded(WebpMetadata(whole));
    case FileFormat::kHeif:
      return ScanEmbedded(HeifMetadata(whole));
    case FileFormat::kCanonRaw3: {
      const tCanonRaw3Metadata cr3 = Cr3Metadata(whole);
      return ScanEmbedded(cr3.main, cr3.exifDirectory, cr3.makerNote);
    }
    case FileFormat::kBigTiff:
      // Its directories are rebuilt as a classic TIFF's, which the walk reads.
      bigTiff_ = ClassicTiffOf(whole);
      return ScanTiffView(bigTiff_);
    case FileFormat::kPanasonicRaw:
      if (!ScanTiffView(whole)) return false;
      WalkEmbeddedExifDirectory();
      return true;
    default:
      if (!ScanTiffView(whole)) return false;
      DecodeDngPrivateNote();
      return true;
  }
}

void TimgData::DecodeDngPrivateNote() {
  // IFD0's DNGPrivateData may hold the camera's maker note. A DNG keeps it as "Adobe\0MakN", the
  // note's size, the byte order of the file it came from and where it stood there (a TIFF offset,
  // which its values' offsets count from), then the note. Values outside the note are not there.
  // A Pentax raw file (and a JPEG made from one) keeps its own "PENTAX " note there, whose
  // offsets count from the note itself.
  if (!request.exifWalk || exifInfo->makerNoteDecoded) return;
  const std::string_view file = exifSection->Data();
  const auto [at, size] = Ifd0Value(file, exifInfo->headerPos, bigEndian, 0xC634);
  const std::string_view data = Bytes(file, at, size);
  tNoteFacts facts = exifInfo->NoteFacts();  // the make and model; the note is this one
  facts.note = data;
  facts.notePos = at;
  facts.tiffSource = false;
  if (data.starts_with(std::string_view("Adobe\0MakN", 10)) && data.size() >= 20) {
    const std::string_view order = data.substr(14, 2);
    if (order != "II" && order != "MM") return;
    // Laid out as the note stood in a JPEG's APP1, whose TIFF header is at 9.
    facts.note = data.substr(20, std::min<std::size_t>(Long(data, 11, true) - 6, data.size() - 20));
    facts.notePos = Long(data, 17, true) + 9;
    facts.exifBigEndian = order == "MM";
    facts.headerPos = 9;
  } else if (!data.starts_with(std::string_view("PENTAX \0", 8))) {
    return;
  }
  const auto layout = TmsInfo::LayoutOf(facts);
  if (!layout) return;
  constexpr std::int64_t kNowhere = -(std::int64_t{1} << 40);  // no value outside the note
  exifInfo->ParseMakerDirectory(facts.note, layout->table, layout->dirOffset, layout->valueBase,
                                kNowhere, layout->bigEndian);
  exifInfo->makerNoteDecoded = true;
}

void TimgData::WalkEmbeddedExifDirectory() {
  // An RW2 keeps its Exif directory in the JPEG of IFD0's tag 0x002E, whose EXIF stands in the
  // same file: that directory is walked where it stands, in the file's own byte order. A tag the
  // raw file's own directories named keeps its line; the JPEG's directory adds the others.
  if (!request.exifWalk) return;
  const std::string_view file = exifSection->Data();
  const auto [jpegPos, jpegSize] = Ifd0Value(file, 1, bigEndian, 0x002E);
  const std::string_view jpeg = Bytes(file, jpegPos, jpegSize);
  for (const tLeadingSegment& segment : FindLeadingSegments(jpeg)) {
    const auto payloadAt = static_cast<std::size_t>(segment.markerOffset + 3);
    const std::string_view payload = jpeg.substr(
        payloadAt, static_cast<std::size_t>(segment.end) -
                       std::min<std::size_t>(payloadAt, static_cast<std::size_t>(segment.end)));
    if (segment.marker != kMarkerApp1 || !payload.starts_with(std::string_view("Exif\0\0", 6)))
      continue;
    if (!payload.substr(6).starts_with(bigEndian ? "MM" : "II")) return;
    const std::int64_t header = jpegPos + static_cast<std::int64_t>(payloadAt) + 6;
    const auto [pointer, size] = Ifd0Value(file, header, bigEndian, 0x8769);
    if (size != 4) return;
    const std::size_t before = exifInfo->entries.size();
    exifInfo->ParseDirectory(header + Long(file, pointer, bigEndian), header,
                             std::ssize(payload) - 6, 1);
    DropRepeatedEntries(exifInfo->entries, before);
    exifInfo->DeriveFocalLength35();
    return;
  }
}

namespace {

// Which segments a scan keeps the bytes of, and for whom: the JFIF header and the comment always;
// the IPTC block for the IPTC and XMP; an APP1 for the EXIF walk or for the XMP, which its
// signature tells apart. Every other segment (tables, frame header, colour profile) is passed over.
enum class WantedBy { kEveryone, kIptcAndXmp, kExifOrXmp };
struct tKeptSegment {
  std::uint8_t marker = 0;
  WantedBy wantedBy = WantedBy::kEveryone;
};
constexpr tKeptSegment kKeptSegments[] = {
    {kMarkerApp0, WantedBy::kEveryone},
    {kMarkerApp1, WantedBy::kExifOrXmp},
    {kMarkerApp13, WantedBy::kIptcAndXmp},
    {kMarkerCom, WantedBy::kEveryone},
};

// What a scan reads of a segment's payload of `payload` bytes: `bytes` at first (an APP1's
// signature, where the request may want it or not), all of it when `metadata`.
struct tKeep {
  bool metadata = false;
  std::size_t bytes = 0;
};
tKeep KeepOf(std::uint8_t marker, std::size_t payload, const tScanRequest& request) {
  for (const tKeptSegment& row : kKeptSegments) {
    if (row.marker != marker) continue;
    switch (row.wantedBy) {
      case WantedBy::kEveryone:
        return {true, payload};
      case WantedBy::kIptcAndXmp:
        return {true, request.iptcAndXmp ? payload : 0};
      case WantedBy::kExifOrXmp:
        return {true, request.exifWalk && request.iptcAndXmp
                          ? payload
                          : std::min(payload, kXmpSignature.size())};
    }
  }
  return {};
}

// Whether the request wants the rest of an APP1 whose signature says whether it is the XMP packet.
bool WantsApp1(bool xmp, const tScanRequest& request) {
  return xmp ? request.iptcAndXmp : request.exifWalk;
}

}  // namespace

TimgData::ReadEnd TimgData::ReadSegment(ByteStream& stream, const tMarker& marker, tSection& s) {
  std::int32_t length = 0;
  if (!ReadLengthField(stream, length)) return ReadEnd::kEnded;
  if (length < 2) return ReadEnd::kImpossible;
  s.markerCode = marker.code;
  s.lengthField = length;
  s.markerOffset = marker.markerOffset;
  const auto payload = static_cast<std::size_t>(length - 2);
  const tKeep keep = KeepOf(marker.code, payload, request);
  s.owned.clear();
  s.held = {};
  if (keep.metadata && request.viewInBuffers) {
    // A scan views its segments in the read buffers, length bytes and all, instead of copying
    // them: any that lies whole in the buffer (that costs nothing, needed or not), and a needed
    // one that runs past it, which is then read on into a buffer of its own. An APP1 is needed or
    // not by its signature, when the buffer holds that.
    bool needed = keep.bytes == payload;
    const std::string_view ahead = stream.Buffered();
    if (!needed && marker.code == kMarkerApp1 && ahead.size() >= kXmpSignature.size()) {
      needed = WantsApp1(ahead.starts_with(kXmpSignature), request);
    }
    s.held = stream.Hold(2, payload, needed, heldBuffers_);
    if (s.held.data() != nullptr) return ReadEnd::kRead;
  }
  if (keep.bytes == payload || (marker.code == kMarkerApp1 && request.exifWalk))
    s.owned.reserve(static_cast<std::size_t>(length));
  AppendWord(s.owned, static_cast<std::uint32_t>(length));
  bool whole = stream.Append(s.owned, keep.bytes) == keep.bytes;
  if (whole && keep.bytes < payload) {
    const std::size_t rest = payload - keep.bytes;
    const bool wanted = marker.code == kMarkerApp1 && WantsApp1(IsXmpSection(s), request);
    whole = (wanted ? stream.Append(s.owned, rest) : stream.Skip(rest)) == rest;
  }
  if (whole) return ReadEnd::kRead;
  // A short payload keeps the slot counted but unclassified; the next read meets the end.
  if (keep.metadata) s.owned.resize(static_cast<std::size_t>(length));
  return ReadEnd::kCutShort;
}

bool TimgData::TakesForIptc(const tSection& s) const {
  return s.markerCode == kMarkerApp13 &&
         (iptcSection == nullptr || (!IsPhotoshopSection(*iptcSection) && IsPhotoshopSection(s)));
}

void TimgData::Classify(tSection& s) {
  switch (s.markerCode) {
    case kMarkerApp0:
      headerSection = &s;
      break;
    case kMarkerApp1:
      if (IsXmpSection(s) && xmpSection == nullptr) {
        xmpSection = &s;  // the main XMP packet, kept wherever it stands
      } else if (exifSection != nullptr) {
        --sectionCount;  // dropped: the next segment reuses the slot
      } else if (Bytes(s.Data(), 3, 5) == std::string_view("Exif\0", 5)) {
        exifSection = &s;
        exifInfo = std::make_unique<TImageInfo>(buildMode, locale);
        ViewSegmentData(s.Data());
        DecodeExifSegment();
      }
      // Any other APP1 (an XMP packet before the EXIF, in many files) is an ordinary segment.
      break;
    case kMarkerApp13:
      // The IPTC block is the first Photoshop APP13; another writer's APP13 in front of it
      // ("Adobe_CM") holds none, and stays an ordinary segment.
      if (TakesForIptc(s)) {
        iptcSection = &s;
        iptcInfo = std::make_unique<TIPTCdata>();
      }
      break;
    case kMarkerCom:
      commentSection = &s;
      break;
    default:
      break;
  }
}

bool TimgData::ScanJpegStream(ByteStream& stream) {
  std::uint8_t first = 0, second = 0;
  if (!stream.ReadByte(first) || !stream.ReadByte(second) || first != 0xFF || second != kMarkerSoi)
    return false;
  sectionCount = 0;
  // The EXIF, IPTC and comment segments count wherever they stand in front of the image data.
  while (sectionCount < kMaxScannedSections) {
    tMarker marker;
    if (!NextMarker(stream, kScanPolicy, marker)) return HasAnyMetadata();
    tSection& s = sections[static_cast<std::size_t>(sectionCount++)];
    const ReadEnd read = ReadSegment(stream, marker, s);
    if (read == ReadEnd::kEnded) return HasAnyMetadata();
    if (read == ReadEnd::kImpossible) return false;
    if (read == ReadEnd::kCutShort) continue;
    if (marker.code == kMarkerSos || marker.code == kMarkerEoi) return HasAnyMetadata();
    Classify(s);
  }
  FindLateSegments(stream);
  return HasAnyMetadata();
}

void TimgData::FindLateSegments(ByteStream& stream) {
  // Some files carry more than the 20 segments the scan keeps before their EXIF or IPTC block,
  // and the IPTC read wants the XMP packet wherever it stands before the image data: the first of
  // each is looked for on and takes a spare slot.
  bool wantExif = exifSection == nullptr;
  bool wantApp13 = iptcSection == nullptr;
  bool wantXmp = request.xmpAnywhere && xmpSection == nullptr;
  tMarker marker;
  std::int32_t length = 0;
  while ((wantExif || wantApp13 || wantXmp) && NextMarker(stream, kScanPolicy, marker) &&
         ReadLengthField(stream, length) && length >= 2 && marker.code != kMarkerSos &&
         marker.code != kMarkerEoi) {
    const auto payloadLength = static_cast<std::size_t>(length - 2);
    if (!((wantApp13 && marker.code == kMarkerApp13) ||
          ((wantExif || wantXmp) && marker.code == kMarkerApp1))) {
      if (stream.Skip(payloadLength) != payloadLength) return;
      continue;
    }
    tSection s;
    s.markerCode = marker.code;
    s.lengthField = length;
    s.markerOffset = marker.markerOffset;
    AppendWord(s.owned, static_cast<std::uint32_t>(length));
    s.owned.resize(static_cast<std::size_t>(length));
    if (stream.Read(s.owned.data() + 2, payloadLength) != payloadLength) return;
    const bool exif = Bytes(s.Data(), 3, 6) == std::string_view("Exif\0\0", 6);
    const bool xmp = Bytes(s.Data(), 3, std::ssize(kXmpSignature)) == kXmpSignature;
    if (marker.code == kMarkerApp13) {
      wantApp13 = false;
    } else if (exif && wantExif) {
      wantExif = false;
    } else if (xmp && wantXmp) {
      wantXmp = false;
    } else {
      continue;
    }
    tSection& slot = sections[static_cast<std::size_t>(sectionCount++)] = std::move(s);
    Classify(slot);
  }
}

void TimgData::DecodeExifSegment() {
  if (!exifInfo) exifInfo = std::make_unique<TImageInfo>(buildMode, locale);
  const std::string_view bytes = exifSection->Data();
  if (Bytes(bytes, 3, 5) != std::string_view("Exif\0", 5)) {
    ErrStr = ScanMessageText(ScanMessage::kIncorrectExifHeader);
    return;
  }
  const std::string_view order = Bytes(bytes, 9, 2);
  if (order == "II") {
    bigEndian = false;
  } else if (order == "MM") {
    bigEndian = true;
  } else {
    ErrStr = ScanMessageText(ScanMessage::kInvalidAlignment);
    return;
  }
  exifInfo->ViewSegmentData(segmentData);
  exifInfo->bigEndian = bigEndian;
  if (!request.exifWalk) return;
  const std::int64_t ifd0 = static_cast<std::uint32_t>(ReadLong(13));
  exifInfo->ParseDirectory(ifd0 == 0 ? 17 : ifd0 + 9, 9, exifSection->lengthField - 6, 1);
  DecodeDngPrivateNote();
  exifInfo->DeriveFocalLength35();
  TakeWalkMessage();
}

void TimgData::FindTiffIptc(std::int64_t dirStart) {
  // A TIFF keeps its IPTC in IFD0: the datasets in tag 0x83BB (IPTC-NAA), or a Photoshop
  // resource block in tag 0x8649; and its XMP packet in tag 0x02BC. Each becomes the section a
  // JPEG would hold it in, behind the signature the IPTC read looks for.
  constexpr std::uint16_t kXmpTag = 0x02BC, kIptcNaa = 0x83BB, kPhotoshopBlock = 0x8649;
  const tIfdReader reader{exifSection->Data(), exifInfo->bigEndian};
  const std::int64_t n = *EntriesToRead(reader, dirStart, CountRule::kReadThoseThere);
  std::string_view naa, block, xmp;
  for (std::int64_t i = 0; i < n; ++i) {
    const tIfdEntry entry = DecodeIfdEntry(reader, dirStart + 2 + 12 * i, exifInfo->headerPos);
    const std::string_view value = Bytes(reader.bytes, entry.valuePos, entry.size);
    if (entry.tag == kIptcNaa && naa.empty()) naa = value;
    if (entry.tag == kPhotoshopBlock && block.empty()) block = value;
    if (entry.tag == kXmpTag && xmp.empty()) xmp = value;
  }
  // The resource block holds the digest that says whether the XMP is in step with the IPTC, which
  // some writers keep in the IPTC-NAA tag instead: it then joins the block, first.
  auto resources = ParseImageResources(block);
  const bool blockHasIptc =
      resources && std::any_of(resources->begin(), resources->end(),
                               [](const tImageResource& r) { return r.id == kIptcResource; });
  std::string joined;
  if (resources && !blockHasIptc && !naa.empty()) {
    resources->insert(resources->begin(), MakeImageResource(kIptcResource, std::string(naa)));
    joined = EncodeImageResources(*resources);
  }
  const std::string_view iptc = !joined.empty()               ? std::string_view(joined)
                                : blockHasIptc || naa.empty() ? block
                                                              : naa;
  if ((iptcSection = AddSection(kMarkerApp13, kPhotoshopSignature, iptc)) != nullptr)
    iptcInfo = std::make_unique<TIPTCdata>();
  xmpSection = AddSection(kMarkerApp1, kXmpSignature, xmp);
}

tSection* TimgData::AddSection(std::uint8_t marker, std::string_view signature,
                               std::string_view value) {
  if (value.empty() || sectionCount >= std::ssize(sections)) return nullptr;
  tSection& s = sections[static_cast<std::size_t>(sectionCount++)];
  s.owned.assign(2, '\0');  // no segment: the length field is left 0
  s.owned.append(signature).append(value);
  s.held = {};
  s.markerCode = marker;
  s.lengthField = 0;
  s.markerOffset = -1;
  return &s;
}

bool TimgData::ScanEmbedded(const tEmbeddedMetadata& found, std::string_view exifDirectory,
                            std::string_view makerNote) {
  // Each as a JPEG holds it: the EXIF in an APP1 after "Exif\0\0" (so that it reads as that
  // JPEG's would), the XMP packet in its APP1, the IPTC in a Photoshop APP13.
  constexpr std::string_view kExifHeader("Exif\0\0", 6);
  constexpr std::size_t kMaxExif = 1 << 30;
  if (!found.exif.empty() &&
      found.exif.size() + exifDirectory.size() + makerNote.size() <= kMaxExif) {
    tSection* s = AddSection(kMarkerApp1, kExifHeader, found.exif);
    s->owned.append(exifDirectory).append(makerNote);  // after the bytes the length field counts
    s->lengthField = static_cast<std::int32_t>(2 + kExifHeader.size() + found.exif.size());
    exifSection = s;
    exifInfo = std::make_unique<TImageInfo>(buildMode, locale);
    ViewSegmentData(s->Data());
    DecodeExifSegment();
    if (!exifDirectory.empty() && request.exifWalk) WalkExifDirectory(exifDirectory);
    if (!makerNote.empty() && request.exifWalk)
      DecodeSeparateMakerNote(
          std::string_view(s->owned).substr(s->owned.size() - makerNote.size()));
  }
  if ((iptcSection = AddSection(kMarkerApp13, kPhotoshopSignature, found.iptc)) != nullptr)
    iptcInfo = std::make_unique<TIPTCdata>();
  xmpSection = AddSection(kMarkerApp1, kXmpSignature, found.xmp);
  return HasAnyMetadata();
}

void TimgData::DecodeSeparateMakerNote(std::string_view note) {
  // A TIFF structure of its own: the note's directory is its IFD0, and its values' offsets count
  // from its header. The make's table names the tags, as for a note in the Exif directory.
  const tNoteFacts facts{exifInfo->cameraMake, exifInfo->cameraModel, exifInfo->exifVersion, note};
  const tMakeRow* row = TmsInfo::RowOf(facts);
  const std::string_view order = note.substr(0, 2);
  if (row == nullptr || row->table == nullptr || exifInfo->makerNoteDecoded ||
      (order != "II" && order != "MM"))
    return;
  const std::int64_t directory = Long(note, 5, order == "MM");
  exifInfo->ParseMakerDirectory(note, *row->table, directory, directory + 1, 0, order == "MM");
  exifInfo->makerNoteDecoded = true;
}

void TimgData::WalkExifDirectory(std::string_view tiff) {
  // The Exif directory is IFD0 of a TIFF structure of its own, which stands after the EXIF's
  // bytes in the section; the walk takes it in the EXIF's byte order only.
  const std::int64_t base = exifSection->lengthField + 1;
  if (!(tiff.starts_with(bigEndian ? "MM" : "II"))) return;
  const std::int64_t ifd = Long(tiff, 5, bigEndian);
  exifInfo->ParseDirectory(base + ifd, base, std::ssize(tiff), 1);
  exifInfo->DeriveFocalLength35();
  TakeWalkMessage();
}

void TimgData::TakeWalkMessage() {
  if (exifInfo && exifInfo->walkMessage != ScanMessage::kNone)
    ErrStr = ScanMessageText(exifInfo->walkMessage);
}

bool TimgData::ScanTiffView(std::string_view tiff) {
  const std::string_view order = tiff.substr(0, 2);
  if (tiff.size() < 8 || (order != "II" && order != "MM")) return false;
  tSection& s = sections[0];
  s.held = tiff;
  s.owned.clear();
  s.markerCode = 0;
  s.lengthField = 0;
  s.markerOffset = -1;
  sectionCount = 1;
  exifSection = &s;
  bigEndian = order == "MM";
  exifInfo = std::make_unique<TImageInfo>(buildMode, locale);
  exifInfo->tiffSource = true;
  exifInfo->headerPos = 1;
  exifInfo->ViewSegmentData(tiff);
  ViewSegmentData(tiff);
  exifInfo->bigEndian = bigEndian;
  // File offset o lies at position o + 1. IFD0 stands where the header says, when its entry
  // count lies in the file; else it is taken to follow the 8-byte header, where most files keep
  // it.
  const std::int64_t ifd0 = Long(tiff, 5, bigEndian);
  const bool inside = ifd0 >= 8 && ifd0 + 2 <= std::ssize(tiff);
  const std::int64_t dirStart = inside ? ifd0 + 1 : 9;
  FindTiffIptc(dirStart);
  if (!request.exifWalk) return true;
  exifInfo->ParseDirectory(dirStart, 1, std::ssize(tiff), 1);
  exifInfo->DeriveFocalLength35();
  TakeWalkMessage();
  return true;
}

}  // namespace dux
