#include "metadata/PhotoshopResources.h"

#include <cstdint>

#include "metadata/ByteReader.h"

namespace dux {
namespace {

constexpr std::string_view kSignature{"Photoshop 3.0\0", 14};
constexpr std::uint16_t kIptcResource = 0x0404;
constexpr std::uint16_t kUrlListResource = 0x040B;

bool AllZero(std::string_view bytes) {
  for (const char c : bytes) {
    if (c != '\0') return false;
  }
  return true;
}

}  // namespace

tImageResources OtherImageResources(std::string_view sectionBytes) {
  if (Bytes(sectionBytes, 3, 14) != kSignature) return {};
  tImageResources kept;
  const auto end = static_cast<std::int64_t>(sectionBytes.size());
  std::int64_t pos = 17;
  while (pos <= end) {
    // Some writers pad the section with zero bytes after the last resource.
    if (!HasBytes(sectionBytes, pos, 4) || Bytes(sectionBytes, pos, 4) != "8BIM") {
      if (AllZero(Bytes(sectionBytes, pos, end - pos + 1))) break;
      return {};
    }
    const std::uint16_t id = Word(sectionBytes, pos + 4, true);
    const std::int64_t nameLength = Byte(sectionBytes, pos + 6);
    const std::int64_t nameField = (nameLength + 2) / 2 * 2;  // length byte + name, padded to even
    const std::int64_t sizePos = pos + 6 + nameField;
    if (!HasBytes(sectionBytes, sizePos, 4)) return {};
    const std::int64_t dataSize = Long(sectionBytes, sizePos, true);
    const std::int64_t dataPos = sizePos + 4;
    if (!HasBytes(sectionBytes, dataPos, dataSize)) return {};
    const std::int64_t padded = dataSize + (dataSize & 1);
    if (id != kIptcResource) {
      kept.bytes += Bytes(sectionBytes, pos, dataPos + dataSize - pos);
      if (padded != dataSize) kept.bytes += '\0';  // even when the writer left out the last pad
      kept.hasUrlList = kept.hasUrlList || id == kUrlListResource;
    }
    pos = dataPos + padded;
  }
  return kept;
}

}  // namespace dux
