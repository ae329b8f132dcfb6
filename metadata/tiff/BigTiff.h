#pragma once

#include <string>
#include <string_view>

namespace dux {

// The directories of a BigTIFF file (8-byte counts and offsets, 20-byte entries) as a classic
// TIFF structure that the walk reads: IFD0 and the chain after it, the Exif, GPS and
// interoperability directories and the SubIFDs, each entry with its value copied beside it in
// the same byte order. 8-byte integers become LONGs where they fit; an entry whose count or
// values do not fit a classic TIFF is left out. Empty for bytes that are no BigTIFF. What it
// builds is bounded by a few times the file's size, whatever the file says.
std::string ClassicTiffOf(std::string_view bigTiff);

}  // namespace dux
