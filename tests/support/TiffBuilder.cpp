#include "tests/support/TiffBuilder.h"

namespace dux::test {
namespace {

void Put(std::string& out, std::uint32_t value, int size, bool bigEndian) {
  for (int i = 0; i < size; ++i) {
    const int shift = bigEndian ? 8 * (size - 1 - i) : 8 * i;
    out += static_cast<char>((value >> shift) & 0xFF);
  }
}

}  // namespace

std::string Bytes16(std::uint32_t value, bool bigEndian) {
  std::string out;
  Put(out, value, 2, bigEndian);
  return out;
}

std::string Bytes32(std::uint32_t value, bool bigEndian) {
  std::string out;
  Put(out, value, 4, bigEndian);
  return out;
}

std::string RawEntry(std::uint16_t tag, std::uint16_t type, std::uint32_t count,
                     std::uint32_t value, bool bigEndian) {
  return Bytes16(tag, bigEndian) + Bytes16(type, bigEndian) + Bytes32(count, bigEndian) +
         Bytes32(value, bigEndian);
}

Ifd& Ifd::Numbers(std::uint16_t tag, std::uint16_t type, int size,
                  std::vector<std::uint32_t> values) {
  tEntry e;
  e.tag = tag;
  e.type = type;
  e.size = size;
  e.count = static_cast<std::uint32_t>(values.size());
  e.numbers = std::move(values);
  entries_.push_back(std::move(e));
  return *this;
}

Ifd& Ifd::Short(std::uint16_t tag, std::vector<std::uint32_t> values) {
  return Numbers(tag, 3, 2, std::move(values));
}
Ifd& Ifd::Long(std::uint16_t tag, std::vector<std::uint32_t> values) {
  return Numbers(tag, 4, 4, std::move(values));
}

Ifd& Ifd::Rational(std::uint16_t tag, std::vector<std::uint32_t> numDen, bool isSigned) {
  Numbers(tag, isSigned ? 10 : 5, 4, std::move(numDen));
  entries_.back().count /= 2;
  return *this;
}

Ifd& Ifd::Ascii(std::uint16_t tag, const std::string& text) { return Bytes(tag, 2, text + '\0'); }

Ifd& Ifd::Bytes(std::uint16_t tag, std::uint16_t type, const std::string& bytes) {
  tEntry e;
  e.tag = tag;
  e.type = type;
  e.count = static_cast<std::uint32_t>(bytes.size());
  e.bytes = bytes;
  entries_.push_back(std::move(e));
  return *this;
}

Ifd& Ifd::Sub(std::uint16_t tag, Ifd child) {
  Numbers(tag, 4, 4, {0});
  entries_.back().child = std::make_shared<Ifd>(std::move(child));
  return *this;
}

Ifd& Ifd::PointerTo(std::uint16_t tag, std::uint32_t offset) {
  Numbers(tag, 4, 4, {offset});
  entries_.back().absolute = true;
  return *this;
}

Ifd& Ifd::Next(Ifd next) {
  next_ = std::make_shared<Ifd>(std::move(next));
  return *this;
}

Ifd& Ifd::ClaimCount(std::uint16_t count) {
  claimed_ = count;
  return *this;
}

std::string Ifd::Layout(bool bigEndian, std::uint32_t at) const {
  const auto n = static_cast<std::uint32_t>(entries_.size());
  std::string table, data, children;
  const std::uint32_t dataStart = at + 2 + 12 * n + 4;
  std::vector<std::string> values;
  for (const tEntry& e : entries_) {
    std::string value = e.bytes;
    for (const std::uint32_t number : e.numbers) Put(value, number, e.size, bigEndian);
    values.push_back(value);
    if (value.size() > 4) data += value + (value.size() % 2 != 0 ? std::string(1, '\0') : "");
  }
  std::uint32_t dataAt = dataStart;
  std::uint32_t childAt = dataStart + static_cast<std::uint32_t>(data.size());
  Put(table, claimed_ >= 0 ? static_cast<std::uint32_t>(claimed_) : n, 2, bigEndian);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const tEntry& e = entries_[i];
    Put(table, e.tag, 2, bigEndian);
    Put(table, e.type, 2, bigEndian);
    Put(table, e.count, 4, bigEndian);
    if (e.child) {
      Put(table, childAt, 4, bigEndian);
      const std::string child = e.child->Layout(bigEndian, childAt);
      children += child;
      childAt += static_cast<std::uint32_t>(child.size());
    } else if (values[i].size() > 4) {
      Put(table, dataAt, 4, bigEndian);
      dataAt += static_cast<std::uint32_t>(values[i].size() + values[i].size() % 2);
    } else {
      table += values[i] + std::string(4 - values[i].size(), '\0');
    }
  }
  std::string next;
  if (next_) next = next_->Layout(bigEndian, childAt);
  Put(table, next_ ? childAt : 0, 4, bigEndian);
  return table + data + children + next;
}

std::string Ifd::Tiff(bool bigEndian) const {
  std::string header = bigEndian ? std::string("MM\0*", 4) : std::string("II*\0", 4);
  Put(header, 8, 4, bigEndian);
  return header + Layout(bigEndian, 8);
}

std::string ExifSection(const std::string& tiff) {
  const std::size_t length = tiff.size() + 8;
  std::string out;
  out += static_cast<char>((length >> 8) & 0xFF);
  out += static_cast<char>(length & 0xFF);
  return out + std::string("Exif\0\0", 6) + tiff;
}

}  // namespace dux::test
