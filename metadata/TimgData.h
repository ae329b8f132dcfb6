#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/ScanMemory.h"
#include "metadata/containers/Containers.h"
#include "metadata/containers/FileFormat.h"
#include "metadata/exif/TImageInfo.h"
#include "metadata/iptc/IptcXmp.h"
#include "metadata/iptc/PhotoshopResources.h"
#include "metadata/iptc/TIPTCdata.h"
#include "metadata/jpeg/JpegImage.h"
#include "metadata/jpeg/JpegMarkers.h"
#include "metadata/jpeg/JpegRewrite.h"
#include "metadata/tiff/tEndInd.h"
#include "platform/Files.h"

namespace dux {

class ByteStream;

// One JPEG segment as stored after its 0xFF and marker byte.
struct tSection {
  // The two length bytes, then the payload: only for APP0, APP1, APP13 and COM, whose bytes are
  // read; the others' are skipped.
  std::string_view Data() const { return held.data() != nullptr ? held : std::string_view(owned); }
  std::string owned;               // the bytes when they were copied, or made by a write
  std::string_view held;           // instead, the bytes in the scan's read buffer, which the
                                   // TimgData keeps (then owned is empty)
  std::int32_t markerCode = 0;     // 0xC0..0xFE
  std::int32_t lengthField = 0;    // big-endian value of the two length bytes
  std::int64_t markerOffset = -1;  // file offset of the marker byte; -1 when not from a file
};

// True for an APP1 section holding the main XMP packet.
bool IsXmpSection(const tSection& section);
// True for an APP13 section holding a Photoshop resource block (its payload was read).
bool IsPhotoshopSection(const tSection& section);

// What a caller asks of a scan: the rest of a file's metadata is passed over.
struct tScanRequest {
  // The IPTC block and the XMP packet (the IPTC read and write). Without them their segments are
  // still found and counted, but only the XMP signature is read of them (the EXIF read).
  bool iptcAndXmp = true;
  // The EXIF directories walked (the EXIF read). Without them the EXIF header is still checked.
  bool exifWalk = true;
  // The XMP packet wherever it stands before the image data (the IPTC read and write): the scan
  // looks on for it after stopping early.
  bool xmpAnywhere = false;
  // The file's size and date (the summaries). Without them a file that opens is looked up only
  // if the scan needs its size, and a folder that opens fails at its first read.
  bool fileFacts = true;
  // The sections may view their bytes in the stream's read buffers, which the container then
  // keeps, instead of copying them. A rewrite's scan copies them, as it changes them.
  bool viewInBuffers = true;
};

// The Photoshop resource block of a JPEG's leading segments: the run of consecutive Photoshop
// APP13 segments that carries it (where their markers stand) and its resources. A run whose
// block does not parse is none.
struct tPhotoshopRun {
  std::vector<std::int64_t> markerOffsets;
  std::vector<tImageResource> resources;
  // The bytes of the first segment from the first resource that does not parse, when no run
  // parses to its end: kept as they are, after the resources.
  std::string unparsed;
};

// The metadata container of one image file. ScanFile fills it from a JPEG file (segment by
// segment, up to SOS), a TIFF-structured file (its directories where they stand) or a file of
// another kind (the metadata its boxes or chunks hold); the write half rebuilds the leading
// segments of a JPEG file with a new IPTC block.
class TimgData : public tEndInd {
 public:
  static constexpr int kMaxScannedSections = 20;

  // Create: stores buildMode and the locale (handed to every TImageInfo), then ResetState.
  explicit TimgData(BuildMode buildMode = BuildMode::kAll, platform::tLocale locale = {});
  ~TimgData() override;
  TimgData(const TimgData&) = delete;
  TimgData& operator=(const TimgData&) = delete;

  // Scans a file: true when a supported file yielded metadata. ErrStr tells the outcome: empty
  // for a missing file, "<none>" on success, else the reason. Throws only what is no fault of the
  // file (std::bad_alloc).
  bool ScanFile(const std::string& fileName);
  void ResetState();
  bool HasAnyMetadata() const;
  bool HasExifSegment() const { return exifSection != nullptr; }
  bool HasThumbnail() const;
  // The payload of the kept COM segment, as long as its own length field says.
  std::string CommentText() const;
  void CaptureFileInfo(const std::string& fileName, const platform::tFileStamp& stamp);
  // What the summaries tell of the scanned file.
  tFileFacts FileFacts() const { return {fileName, fileDateTime, fileSize}; }
  // The scans of an opened file: true when it yielded metadata. A read error of the file
  // (FormatError) reaches the caller. A TIFF structure is walked where its directories stand in
  // `tiff` (the whole file), which must outlive the sections.
  bool ScanJpegStream(ByteStream& stream);
  bool ScanTiffView(std::string_view tiff);
  // The metadata found in a file of another kind, as the sections a JPEG keeps it in; the EXIF
  // read as that JPEG's would be. `exifDirectory` and `makerNote`: TIFF structures whose IFD0 is
  // the Exif directory or the maker note's, where a file keeps those apart (CR3).
  bool ScanEmbedded(const tEmbeddedMetadata& found, std::string_view exifDirectory = {},
                    std::string_view makerNote = {});
  // Checks the EXIF header of exifSection, hands its bytes to exifInfo and has it walk IFD0.
  void DecodeExifSegment();

  // Scans the segments of an opened JPEG for a rewrite, copying the bytes of the sections, which
  // the rewrite changes.
  void ScanForRewrite(const JpegImage& image);
  // The bytes the IPTC read parses: iptcSection's bytes, and when it is a Photoshop APP13, the
  // payloads of the Photoshop APP13 segments right after it joined on without their signatures.
  std::string IptcBlock() const;
  // The same bytes without a copy where they are one segment; several are joined into `joined`,
  // which the result then views.
  std::string_view IptcBlockView(std::string& joined) const;
  // The main XMP packet (the bytes after the signature); nothing when the scan found none.
  std::optional<std::string_view> XmpPacketBytes() const;
  // The first Photoshop resource block among the image's leading segments: the longest run of
  // consecutive Photoshop APP13 segments whose joined payloads (without their signatures) parse.
  static tPhotoshopRun FindPhotoshopRun(const JpegImage& image);
  // Whether the IPTC block the scan found stands after the image's tables, outside the run of
  // segments right after SOI that a write rebuilds.
  bool IptcStandsAfterTables(const JpegImage& image) const;
  // Makes iptcSection hold a new APP13 payload (taking a new slot when there is none).
  void StoreIptcSegment(std::string_view payload);
  // Makes the IPTC segments carry the resource block `block`, over as many APP13 segments as it
  // needs; the rewrite leaves out the source's leading APP13 segments at `replaced` (their marker
  // offsets) and keeps every other one.
  void StoreIptcBlock(std::string_view block, std::vector<std::int64_t> replaced);
  // Starts an empty IPTC block for a file that has none.
  void StartEmptyIptc();
  // Makes the rewrite of `image` carry `packet` as the main XMP packet: in place of the source's
  // XMP APP1 where it stood, or for a file without one, after the EXIF (or JFIF) header. False,
  // with nothing stored, for a packet too large for one segment, or where the source's packet
  // stands where the rewrite cannot replace it whole (a segment the scan took up without its
  // 0xFF, outside the leading run).
  bool StoreXmpPacket(std::string_view packet, const JpegImage& image);
  // Writes `destination` safely through `open`: the rebuilt segments, the source's other
  // leading APPn and COM segments in their order, then the source from its first other segment,
  // byte for byte; checked as WriteJpeg checks it, with `check` besides. The sections must come
  // from ScanForRewrite of `image`. Throws FormatError; on failure the destination keeps its old
  // bytes.
  void SaveJpegWithSegments(JpegImage& image, const std::string& destination, bool patchDimensions,
                            const OutputOpener& open = OpenReplacingFile,
                            const RewriteCheck& check = nullptr);
  // What SaveJpegWithSegments writes, as pieces in order: the rebuilt segments (bytes kept in
  // `made`, which the pieces view) and ranges of the image's file.
  std::vector<tPiece> RewrittenJpeg(const JpegImage& image, bool patchDimensions,
                                    std::deque<std::string>& made);
  // Writes the image's size into the EXIF section's own copy of its bytes, where it holds one.
  void PatchExifDimensions(const JpegImage& image);

  // What the caller asks of a scan; the rest of the file's metadata is passed over.
  tScanRequest request;
  // Where ScanFile learns how far the caller's last scan read, and leaves how far this one did;
  // none when null.
  tScanMemory* scanMemory = nullptr;

  // The segments a scan keeps; spare slots for the EXIF, IPTC and XMP segments found after them,
  // and for the IPTC segment a write adds.
  std::array<tSection, kMaxScannedSections + 3> sections{};
  BuildMode buildMode = BuildMode::kAll;
  platform::tLocale locale;
  std::int32_t sectionCount = 0;
  tSection* exifSection = nullptr;         // APP1
  tSection* iptcSection = nullptr;         // the first Photoshop APP13, else the first APP13
  std::vector<tSection> iptcContinuation;  // APP13 segments a stored block takes after iptcSection
  tSection* commentSection = nullptr;      // the last COM
  tSection* headerSection = nullptr;       // the last APP0
  tSection* xmpSection = nullptr;          // the first APP1 holding the main XMP packet
  std::string fileName;
  double fileDateTime = 0;  // last write, local time, days since 1899-12-30, 2-second steps
  std::int64_t fileSize = 0;
  std::string ErrStr;
  std::unique_ptr<TImageInfo> exifInfo;
  std::unique_ptr<TIPTCdata> iptcInfo;

 private:
  // How a segment's read ended: read (the bytes the request wants kept), cut short by the end of
  // the data, no length field before the end, or an impossible length.
  enum class ReadEnd { kRead, kCutShort, kEnded, kImpossible };
  // Reads the segment after `marker` into `s`, keeping what the request wants of it.
  ReadEnd ReadSegment(ByteStream& stream, const tMarker& marker, tSection& s);
  // Makes a section the EXIF, IPTC, XMP, comment or JFIF-header section, where it is one.
  void Classify(tSection& s);
  // Whether an APP13 section is the IPTC block rather than the one found so far.
  bool TakesForIptc(const tSection& s) const;
  // Turns the walk's message, if any, into ErrStr.
  void TakeWalkMessage();
  // The IPTC and XMP of a TIFF, from IFD0 at dirStart, as the sections a JPEG keeps them in.
  void FindTiffIptc(std::int64_t dirStart);
  // The scan of a file that is no JPEG, by its format: false for one that holds nothing known.
  bool ScanByFormat(FileFormat format, platform::InputFile& file);
  // Takes a slot for bytes that came from no segment: `signature` and `value` after two length
  // bytes left 0. None for an empty value, or when the slots are used up.
  tSection* AddSection(std::uint8_t marker, std::string_view signature, std::string_view value);
  // Walks the Exif directory that a file keeps apart, stored after the EXIF section's bytes.
  void WalkExifDirectory(std::string_view tiff);
  // Decodes a maker note kept apart as a TIFF structure of its own, by the make's table.
  void DecodeSeparateMakerNote(std::string_view note);
  // Decodes the maker note a DNG keeps in its DNGPrivateData, as it stood in the camera's file.
  void DecodeDngPrivateNote();
  // Walks the Exif directory of the JPEG that an RW2 embeds, where it stands in the file.
  void WalkEmbeddedExifDirectory();
  // After the 20 segments the scan keeps: the first EXIF APP1 and APP13 further on where those
  // held none, and for a request with xmpAnywhere the first XMP packet, each before the image
  // data, in a spare slot.
  void FindLateSegments(ByteStream& stream);

  // The read buffers the sections view their bytes in.
  std::vector<std::unique_ptr<char[]>> heldBuffers_;
  // The file a TIFF's sections view, mapped, and how much of it the mapping covers.
  std::unique_ptr<platform::InputFile> mappedFile_;
  std::int64_t mappedReach_ = 0;
  std::string bigTiff_;  // a BigTIFF's directories, rebuilt as a classic TIFF's
  std::vector<std::int64_t> replacedApp13_;
  std::string xmpReplacement_;  // the whole new XMP segment, or empty
};

// The two homes of the IPTC fields of a scanned image: its IPTC block and its XMP packet, with
// the datasets `iim` parsed from the block.
IptcSources IptcSourcesOf(const TimgData& image, const TIPTCdata& iim,
                          XmpPacket::Use use = XmpPacket::Use::kEdit);

}  // namespace dux
