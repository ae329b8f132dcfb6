// libFuzzer entry for the JpegScan harness.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  dux::fuzz::JpegScan(data, size);
  return 0;
}
