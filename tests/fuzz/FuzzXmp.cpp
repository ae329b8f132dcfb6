// libFuzzer entry for the Xmp harness.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  dux::fuzz::Xmp(data, size);
  return 0;
}
