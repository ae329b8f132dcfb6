#include "metadata/tEndInd.h"

namespace dux {

void tEndInd::WriteLong(std::string& bytes, std::int64_t pos, std::int32_t value) const noexcept {
  if (!HasBytes(bytes, pos, 4)) return;
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) {
    const int shift = bigEndian ? 24 - 8 * i : 8 * i;
    bytes[static_cast<std::size_t>(pos - 1 + i)] = static_cast<char>((v >> shift) & 0xFF);
  }
}

}  // namespace dux
