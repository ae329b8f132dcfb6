#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>

// The fuzz harnesses: each feeds arbitrary bytes to one parser entry through the code the
// commands use. A harness returns normally for every input; a property it checks that fails
// throws PropertyFailure. The libFuzzer targets and the regression test of found inputs both
// call them.
namespace dux::fuzz {

// A property a harness checks does not hold. A libFuzzer target lets it end the run, which saves
// the input as a crash; the regression test reports it as the failure of the input it replays.
class PropertyFailure : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// The JPEG scan, the IPTC parse, the EXIF walk with maker notes and thumbnail, both summaries
// and the line lists of duxEXIFread.
void JpegScan(const std::uint8_t* data, std::size_t size);

// The TIFF read, by its directories wherever they stand, and the same EXIF steps.
void TiffScan(const std::uint8_t* data, std::size_t size);

// The walks of the files that are neither JPEG nor TIFF: ISO base media (HEIF, CR3), RIFF (WebP)
// and PNG; what they find is read as a JPEG's sections, with the IPTC and EXIF steps above.
void Bmff(const std::uint8_t* data, std::size_t size);
void Riff(const std::uint8_t* data, std::size_t size);
void Png(const std::uint8_t* data, std::size_t size);

// Read the IPTC of a JPEG (IIM and XMP), write new values into it through the write the command
// uses, read the result again: the output must scan, give back what was written, keep the image
// data, and keep a packet that parsed parseable.
void IptcRoundTrip(const std::uint8_t* data, std::size_t size);

// An XMP packet parsed, its IPTC properties read, some set, the result parsed again: it must parse
// and give back what was set.
void Xmp(const std::uint8_t* data, std::size_t size);

// The tag search of duxGetTag on arbitrary text (four parts separated by zero bytes).
void TagSearch(const std::uint8_t* data, std::size_t size);

}  // namespace dux::fuzz
