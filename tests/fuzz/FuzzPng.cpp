// libFuzzer entry for the Png harness.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  dux::fuzz::Png(data, size);
  return 0;
}
