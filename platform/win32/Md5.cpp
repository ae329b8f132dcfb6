#include "platform/Md5.h"

#include <algorithm>

#include <windows.h>

#include <bcrypt.h>

#include "platform/FormatError.h"

namespace dux::platform {
namespace {

bool Succeeded(NTSTATUS status) { return status >= 0; }

// An open CNG algorithm and hash, closed whatever happens.
class Md5Hash {
 public:
  Md5Hash() {
    if (!Succeeded(BCryptOpenAlgorithmProvider(&algorithm_, BCRYPT_MD5_ALGORITHM, nullptr, 0)) ||
        !Succeeded(BCryptCreateHash(algorithm_, &hash_, nullptr, 0, nullptr, 0, 0))) {
      throw FormatError("Cannot compute an MD5 digest: the system offers none");
    }
  }
  ~Md5Hash() {
    if (hash_ != nullptr) BCryptDestroyHash(hash_);
    if (algorithm_ != nullptr) BCryptCloseAlgorithmProvider(algorithm_, 0);
  }
  Md5Hash(const Md5Hash&) = delete;
  Md5Hash& operator=(const Md5Hash&) = delete;
  BCRYPT_HASH_HANDLE Handle() const { return hash_; }

 private:
  BCRYPT_ALG_HANDLE algorithm_ = nullptr;
  BCRYPT_HASH_HANDLE hash_ = nullptr;
};

}  // namespace

std::array<std::uint8_t, 16> Md5(std::string_view bytes) {
  Md5Hash hash;
  std::array<std::uint8_t, 16> digest{};
  // BCryptHashData takes at most 4 GB at a time.
  for (std::size_t done = 0; done < bytes.size();) {
    const ULONG chunk = static_cast<ULONG>(std::min<std::size_t>(bytes.size() - done, 0x40000000u));
    if (!Succeeded(BCryptHashData(hash.Handle(),
                                  reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data() + done)),
                                  chunk, 0))) {
      throw FormatError("Cannot compute an MD5 digest");
    }
    done += chunk;
  }
  if (!Succeeded(
          BCryptFinishHash(hash.Handle(), digest.data(), static_cast<ULONG>(digest.size()), 0))) {
    throw FormatError("Cannot compute an MD5 digest");
  }
  return digest;
}

}  // namespace dux::platform
