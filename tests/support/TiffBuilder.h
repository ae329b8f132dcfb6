#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Builds TIFF directories for tests: entries are given as numbers or bytes and laid out in
// either byte order, values over four bytes in a data area after the table, sub-directories
// after that.
namespace dux::test {

class Ifd {
 public:
  Ifd& Short(std::uint16_t tag, std::vector<std::uint32_t> values);
  Ifd& Long(std::uint16_t tag, std::vector<std::uint32_t> values);
  Ifd& Rational(std::uint16_t tag, std::vector<std::uint32_t> numDen, bool isSigned = false);
  Ifd& Ascii(std::uint16_t tag, const std::string& text);  // a NUL is added
  Ifd& Bytes(std::uint16_t tag, std::uint16_t type, const std::string& bytes);
  // An entry of any type with numbers of `size` bytes each.
  Ifd& Numbers(std::uint16_t tag, std::uint16_t type, int size, std::vector<std::uint32_t> values);
  // A pointer entry (LONG) to a sub-directory, or to an absolute TIFF offset.
  Ifd& Sub(std::uint16_t tag, Ifd child);
  Ifd& PointerTo(std::uint16_t tag, std::uint32_t offset);
  // The directory the link after the table points to (IFD1 after IFD0).
  Ifd& Next(Ifd next);
  // Claims another entry count than the entries present.
  Ifd& ClaimCount(std::uint16_t count);

  // The TIFF data ("II*\0" or "MM\0*", IFD0 offset 8, the directories).
  std::string Tiff(bool bigEndian) const;
  // The bytes of this directory laid out at TIFF offset `at`.
  std::string Layout(bool bigEndian, std::uint32_t at) const;

 private:
  struct tEntry {
    std::uint16_t tag = 0, type = 0;
    std::uint32_t count = 0;
    int size = 0;
    std::vector<std::uint32_t> numbers;
    std::string bytes;
    std::shared_ptr<Ifd> child;
    bool absolute = false;
  };
  std::vector<tEntry> entries_;
  std::shared_ptr<Ifd> next_;
  int claimed_ = -1;
};

// A number as 2 or 4 bytes in the given byte order.
std::string Bytes16(std::uint32_t value, bool bigEndian);
std::string Bytes32(std::uint32_t value, bool bigEndian);
// One raw 12-byte directory entry, whatever it claims: tag, type, count, value field.
std::string RawEntry(std::uint16_t tag, std::uint16_t type, std::uint32_t count,
                     std::uint32_t value, bool bigEndian);

// An APP1 section as TimgData keeps it: length field, "Exif\0\0", the TIFF data.
std::string ExifSection(const std::string& tiff);

}  // namespace dux::test
