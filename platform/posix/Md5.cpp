#include "platform/Md5.h"

#include <md5.h>

namespace dux::platform {

std::array<std::uint8_t, 16> Md5(std::string_view bytes) {
  MD5_CTX context;
  MD5Init(&context);
  MD5Update(&context, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  std::array<std::uint8_t, 16> digest{};
  MD5Final(digest.data(), &context);
  return digest;
}

}  // namespace dux::platform
