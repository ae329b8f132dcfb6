// libFuzzer entry for the Bmff harness.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  dux::fuzz::Bmff(data, size);
  return 0;
}
