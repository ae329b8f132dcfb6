#include "tests/fuzz/FuzzTargets.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/UtilityCommands.h"
#include "metadata/IptcWrite.h"
#include "metadata/TimgData.h"
#include "metadata/bytes/ByteStream.h"
#include "metadata/iptc/IptcFields.h"
#include "metadata/iptc/IptcTags.h"
#include "metadata/iptc/IptcXmp.h"
#include "metadata/jpeg/JpegImage.h"
#include "metadata/tiff/BigTiff.h"
#include "metadata/xmp/XmpPacket.h"
#include "platform/FormatError.h"

namespace dux::fuzz {
namespace {

void Require(bool condition, const char* what) {
  if (!condition) throw PropertyFailure(std::string("property failed: ") + what);
}

// Everything duxEXIFread asks of a scanned file.
void ExerciseExif(TimgData& image) {
  if (!image.exifInfo) return;
  TImageInfo& info = *image.exifInfo;
  const std::string errStr = image.ErrStr.empty() ? "<none>" : image.ErrStr;
  std::string lines =
      info.SummaryShort(image.FileFacts(), errStr) + info.SummaryLong(image.FileFacts(), errStr);
  TTagEntry entry;
  for (const EntryTable table : {EntryTable::kDirectories, EntryTable::kMakerNote}) {
    info.RewindEntries();
    while (info.NextEntryOfTable(table, entry))
      lines.append(entry.Description).append("=").append(entry.DisplayValue);
  }
  if (image.HasThumbnail()) {
    info.ParseThumbnailDirectory();
    info.RewindThumbnailEntries();
    while (info.NextThumbnailEntryOfTable(EntryTable::kDirectories, entry))
      lines += entry.DisplayValue;
  }
  lines += image.CommentText();
  Require(lines.size() < (1u << 30), "line lists stay bounded");
}

// Everything duxIPTCread asks of a scanned file: the IPTC block, the XMP packet, the rule.
void ExerciseIptc(TimgData& image) {
  TIPTCdata none;
  if (image.iptcSection != nullptr) image.iptcInfo->ParseSegment(image.IptcBlock());
  const TIPTCdata& iim = image.iptcInfo ? *image.iptcInfo : none;
  // The read parses the packet without placing its nodes; the write places them. Both must give
  // the same values, or a write would take unchanged fields for changed ones.
  const IptcSources read = IptcSourcesOf(image, iim, XmpPacket::Use::kRead),
                    edit = IptcSourcesOf(image, iim);
  for (const tIptcFieldRow& row : kIptcFields)
    Require(read.ValueOf(row) == edit.ValueOf(row), "a read and a write see the same value");
}

// What a write copies as it stands: everything after the segments right after SOI, but for the
// XMP packet the scan found there, which a write that keeps XMP in step replaces where it stands.
std::string ImageTail(const std::string& jpeg, const TimgData& scan) {
  std::int64_t tail = 2;
  FindLeadingSegments(jpeg, &tail);
  std::string kept =
      jpeg.substr(static_cast<std::size_t>(std::min<std::int64_t>(tail, std::ssize(jpeg))));
  const tSection* xmp = scan.xmpSection;
  if (xmp != nullptr && xmp->markerOffset - 1 >= tail) {
    const auto start = static_cast<std::size_t>(xmp->markerOffset - 1 - tail);
    kept.erase(start, static_cast<std::size_t>(2 + xmp->lengthField));
  }
  return kept;
}

}  // namespace

void JpegScan(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TimgData image;
  image.request.xmpAnywhere = true;
  MemoryByteStream stream(bytes);
  image.ScanJpegStream(stream);
  ExerciseIptc(image);
  ExerciseExif(image);
  // A scan that copies the segments (as a rewrite's does) instead of viewing them in the read
  // buffers finds the same segments with the same bytes, where it reads them whole.
  TimgData copied;
  copied.request.xmpAnywhere = true;
  copied.request.viewInBuffers = false;
  MemoryByteStream copy(bytes);
  copied.ScanJpegStream(copy);
  Require(copied.sectionCount == image.sectionCount, "the same segments, copied or viewed");
  for (int i = 0; i < image.sectionCount && i < copied.sectionCount; ++i) {
    const tSection& a = image.sections[static_cast<std::size_t>(i)];
    const tSection& b = copied.sections[static_cast<std::size_t>(i)];
    Require(a.markerOffset == b.markerOffset && a.Data().substr(0, b.Data().size()) == b.Data(),
            "the same bytes, copied or viewed");
  }
  // The IPTC read scans without the EXIF walk, passing over the EXIF segment's bytes: it must
  // find the same IPTC values.
  TimgData lean;
  lean.request.xmpAnywhere = true;
  lean.request.exifWalk = false;
  MemoryByteStream again(bytes);
  lean.ScanJpegStream(again);
  TIPTCdata none;  // the image's block was parsed by ExerciseIptc
  if (lean.iptcSection != nullptr) lean.iptcInfo->ParseSegment(lean.IptcBlock());
  const IptcSources full =
      IptcSourcesOf(image, image.iptcInfo ? *image.iptcInfo : none, XmpPacket::Use::kRead);
  const IptcSources passed =
      IptcSourcesOf(lean, lean.iptcInfo ? *lean.iptcInfo : none, XmpPacket::Use::kRead);
  Require(full.HasXmp() == passed.HasXmp(), "the packet is found with or without the EXIF walk");
  for (const tIptcFieldRow& row : kIptcFields) {
    Require(full.ValueOf(row) == passed.ValueOf(row),
            "the IPTC values do not depend on the EXIF walk");
  }
  // The EXIF read passes over the IPTC and XMP payloads: it must find the same segments and
  // decode the same EXIF as a scan that reads them.
  TimgData plain, exifOnly;
  exifOnly.request.iptcAndXmp = false;
  MemoryByteStream third(bytes), fourth(bytes);
  Require(plain.ScanJpegStream(third) == exifOnly.ScanJpegStream(fourth),
          "the scan's outcome does not depend on the payloads");
  Require(plain.sectionCount == exifOnly.sectionCount, "the same segments are counted");
  Require((plain.exifSection != nullptr) == (exifOnly.exifSection != nullptr) &&
              (plain.iptcSection != nullptr) == (exifOnly.iptcSection != nullptr) &&
              (plain.commentSection != nullptr) == (exifOnly.commentSection != nullptr),
          "the same segments are found");
  Require(plain.CommentText() == exifOnly.CommentText(), "the same comment is read");
  Require((plain.exifInfo == nullptr) == (exifOnly.exifInfo == nullptr),
          "the EXIF is decoded or not alike");
  if (plain.exifInfo != nullptr) {
    const auto& a = plain.exifInfo->entries;
    const auto& b = exifOnly.exifInfo->entries;
    Require(a.size() == b.size(), "the same EXIF entries");
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
      Require(a[i].ShortName == b[i].ShortName && a[i].DisplayValue == b[i].DisplayValue,
              "the same EXIF values");
    }
  }
}

void TiffScan(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TimgData image;
  image.ScanTiffView(bytes);
  ExerciseExif(image);
  // The same bytes as a BigTIFF's, rebuilt as a classic TIFF: bounded by a few times their size.
  const std::string classic = ClassicTiffOf(bytes);
  Require(classic.size() <= 4 * size + (1 << 16) + (1 << 20), "a rebuilt BigTIFF stays bounded");
  TimgData big;
  big.ScanTiffView(classic);
  ExerciseExif(big);
}

namespace {

// The metadata a walk found, read as the sections a JPEG keeps it in. What the walk copies comes
// from the file: no part of it is longer than the file.
void ExerciseEmbedded(std::string_view bytes, const tEmbeddedMetadata& found,
                      std::string_view exifDirectory = {}, std::string_view makerNote = {}) {
  for (const std::string* part : {&found.exif, &found.xmp}) {
    Require(part->size() <= bytes.size(), "what a walk finds lies in the file");
  }
  TimgData image;
  image.request.xmpAnywhere = true;
  image.ScanEmbedded(found, exifDirectory, makerNote);
  ExerciseIptc(image);
  ExerciseExif(image);
}

}  // namespace

void Bmff(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ExerciseEmbedded(bytes, HeifMetadata(bytes));
  const tCanonRaw3Metadata cr3 = Cr3Metadata(bytes);
  ExerciseEmbedded(bytes, cr3.main, cr3.exifDirectory, cr3.makerNote);
}

void Riff(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ExerciseEmbedded(bytes, WebpMetadata(bytes));
}

void Png(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ExerciseEmbedded(bytes, PngMetadata(bytes));
}

// Collects a rewrite's bytes in memory.
class MemoryOutput final : public platform::OutputFile {
 public:
  explicit MemoryOutput(std::string& bytes) : bytes_(bytes) {}
  void Write(std::string_view piece) override { bytes_ += piece; }
  std::unique_ptr<platform::InputFile> ReadBack() override {
    return std::make_unique<MemoryInputFile>(bytes_);
  }
  void Commit() override {}

 private:
  std::string& bytes_;
};

void IptcRoundTrip(const std::uint8_t* data, std::size_t size) {
  const std::string source(reinterpret_cast<const char*>(data), size);
  std::optional<JpegImage> jpeg;
  try {
    jpeg = JpegImage::FromBytes(source, "in memory");
  } catch (const FormatError&) {  // not a JPEG libjpeg can read: refused before anything is scanned
    return;
  }
  TimgData image;
  image.request.xmpAnywhere = true;
  MemoryByteStream stream(source);
  image.ScanJpegStream(stream);
  if (image.iptcSection != nullptr) {
    image.iptcInfo->ParseSegment(image.IptcBlock());
  } else {
    image.StartEmptyIptc();
  }
  const IptcSources sources = IptcSourcesOf(image, *image.iptcInfo);
  // New values: what was read, turned around, so that every field the file had is written.
  tFieldValues values;
  std::vector<tFieldEdit> edits, kept;
  for (std::size_t i = 0; i < kIptcFields.size(); ++i) {
    const tIptcFieldRow& row = kIptcFields[i];
    values[i] = sources.ValueOf(row);
    if (row.IsList || values[i].empty()) continue;
    const std::string read = values[i];
    values[i].assign(values[i].rbegin(), values[i].rend());
    // A value that reads the same turned around is no change: it stays as it was in each home.
    if (values[i] != read) {
      edits.push_back({&row, LimitFieldText(row, values[i])});
    } else {
      kept.push_back({&row, read});
    }
  }
  std::string output;
  try {
    WriteIptc(*jpeg, "in memory", values, {},
              [&output](const std::string&) { return std::make_unique<MemoryOutput>(output); });
  } catch (const FormatError& e) {  // a dataset too long: refused
    // What the write meant to write must read back as meant, whatever the source.
    Require(std::string_view(e.what()).find("did not read back as meant") == std::string_view::npos,
            e.what());
    return;
  }
  TimgData again;
  again.request.xmpAnywhere = true;
  MemoryByteStream outStream(output);
  again.ScanJpegStream(outStream);
  Require(again.iptcSection != nullptr, "the written file has an IPTC block");
  again.iptcInfo->ParseSegment(again.IptcBlock());
  // What was written is what the next read gives, from either home; beside an XMP packet, both
  // leave out the control characters XML cannot hold. A date is written to XMP in its form.
  const IptcSources next = IptcSourcesOf(again, *again.iptcInfo);
  for (tFieldEdit e : edits) {
    if (image.xmpSection != nullptr) std::erase_if(e.text, XmlCannotHold);
    // A text of nothing else removes the field.
    const std::string field(e.field->Field);
    Require(again.iptcInfo->ValueOf(e.field->Field, e.text.empty() ? "" : "\x01") == e.text,
            ("values come back: " + field).c_str());
    if (field != "DateCreated" && field != "TimeCreated") {
      Require(next.ValueOf(*e.field) == e.text,
              ("the next read gives what was written: " + field).c_str());
    }
  }
  for (const tFieldEdit& e : kept) {
    Require(next.ValueOf(*e.field) == e.text,
            ("a value not changed reads as before: " + std::string(e.field->Field)).c_str());
  }
  Require(ImageTail(output, again) == ImageTail(source, image), "the image data is unchanged");
  Require(again.xmpSection == nullptr || image.xmpSection != nullptr,
          "no XMP packet appears from nothing");
  if (image.xmpSection != nullptr && IptcSourcesOf(image, *image.iptcInfo).HasXmp()) {
    Require(IptcSourcesOf(again, *again.iptcInfo).HasXmp(), "a packet that parsed still parses");
  }
}

void Xmp(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto packet = XmpPacket::Parse(text);
  // A read parses less of the packet (not its closing instruction and padding) and places
  // nothing, but it takes and refuses the same packets and finds the same values.
  const auto read = XmpPacket::Parse(text, {}, XmpPacket::Use::kRead);
  Require(read.has_value() == packet.has_value(), "a read takes the packets an edit takes");
  if (!packet) return;
  for (const tIptcFieldRow& row : kIptcFields) {
    if (const auto property = XmpPropertyOf(row))
      Require(packet->Get(*property) == read->Get(*property), "a read finds what an edit finds");
  }
  if (!packet->Editable()) return;
  const tXmpProperty city{kPhotoshopNamespace, "City", XmpKind::kText, "photoshop"};
  const tXmpProperty title{kDcNamespace, "title", XmpKind::kLangAlt, "dc"};
  const tXmpProperty subject{kDcNamespace, "subject", XmpKind::kBag, "dc"};
  const tXmpProperty creator{kDcNamespace, "creator", XmpKind::kSeq, "dc"};
  packet->Set(city, {"R\xC3\xB6m & <\"city\">"});
  packet->Set(title, {"T"});
  packet->Set(subject, {"a", "b, c"});
  packet->Set(creator, {});
  const auto again = XmpPacket::Parse(packet->Serialize());
  Require(again.has_value(), "an edited packet parses");
  Require(again->Get(city) == std::vector<std::string>{"R\xC3\xB6m & <\"city\">"},
          "a text comes back");
  Require(again->Get(title) == std::vector<std::string>{"T"}, "a lang-alt comes back");
  Require(again->Get(subject) == std::vector<std::string>{"a", "b, c"}, "a list comes back");
  Require(!again->Get(creator).has_value(), "a removed property is gone");
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
