#pragma once

#include <functional>
#include <string_view>

namespace dux::test {

// One of the kernel's input and output counts for this process (a key of /proc/self/io, such
// as "syscr:", the read calls made, or "read_bytes:", the bytes the disk sent); -1 where the
// system does not tell it.
long long ProcessIoCount(std::string_view key);

// The read calls `work` makes, by the kernel's count, less those of the counting itself; -1
// where the system does not count them.
long long ReadCallsOf(const std::function<void()>& work);

}  // namespace dux::test
