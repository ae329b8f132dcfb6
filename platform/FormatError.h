#pragma once

#include <stdexcept>
#include <string>

namespace dux {

// The one exception type of the library: a file that cannot be read or written, or a structure
// that cannot be walked. The message is English and names the file and what failed.
class FormatError : public std::runtime_error {
 public:
  explicit FormatError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace dux
