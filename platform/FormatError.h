#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace dux {

// The one exception type of the library: a file that cannot be read or written, or a structure
// that cannot be walked. The message is English and names the file and what failed.
class FormatError : public std::runtime_error {
 public:
  explicit FormatError(const std::string& message) : std::runtime_error(message) {}
};

// A file operation the system refused: the message names the file and what failed; `Reason` is
// the system's own text for why.
class FileError : public FormatError {
 public:
  FileError(const std::string& message, std::string reason)
      : FormatError(message), reason_(std::move(reason)) {}
  const std::string& Reason() const noexcept { return reason_; }

 private:
  std::string reason_;
};

}  // namespace dux
