#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dux {

// The metadata a file that is neither a JPEG nor a TIFF carries, found by walking its boxes or
// chunks: copies of the bytes, each empty where the file holds none. Only the first of each
// kind counts, as in a JPEG.
struct tEmbeddedMetadata {
  std::string exif;  // a TIFF structure, from its "II"/"MM" header on
  std::string xmp;   // the XMP packet
  std::string iptc;  // a Photoshop resource block, or bare IIM datasets
};

// Every walk reads inside `file` only, whatever its sizes say, and stops at the first box or
// chunk that does not fit: what was found before it is kept.

// PNG: the eXIf chunk, an iTXt "XML:com.adobe.xmp", and the hex text chunks "Raw profile type
// exif" (or APP1) and "Raw profile type iptc" that older writers leave.
tEmbeddedMetadata PngMetadata(std::string_view file);
// WebP: the EXIF and "XMP " chunks of the RIFF file.
tEmbeddedMetadata WebpMetadata(std::string_view file);
// HEIF (HEIC, AVIF): the Exif item and the XMP item (a mime item of type application/rdf+xml) of
// the file's meta box, put together from their extents in the file or in the idat box.
tEmbeddedMetadata HeifMetadata(std::string_view file);
// CR3: the TIFF structures of the moov box's Canon box: IFD0 (CMT1), the Exif directory (CMT2)
// and the maker note (CMT3), and the XMP box.
struct tCanonRaw3Metadata {
  tEmbeddedMetadata main;     // CMT1 as the EXIF, and the XMP
  std::string exifDirectory;  // CMT2: a TIFF structure whose IFD0 is the Exif directory
  std::string makerNote;      // CMT3: a TIFF structure whose IFD0 is the maker note's directory
};
tCanonRaw3Metadata Cr3Metadata(std::string_view file);
// RAF: the embedded JPEG (which carries the EXIF), as the header places it; empty when it does
// not lie inside the file.
std::string_view RafJpeg(std::string_view file);

}  // namespace dux
