#pragma once

#include <string_view>

namespace dux::test {

// One of the kernel's input and output counts for this process (a key of /proc/self/io, such
// as "syscr:", the read calls made, or "read_bytes:", the bytes the disk sent); -1 where the
// system does not tell it.
long long ProcessIoCount(std::string_view key);

}  // namespace dux::test
