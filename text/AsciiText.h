#pragma once

#include <string>
#include <string_view>

// Byte-safe text helpers: letter case is folded for A-Z/a-z only, and "blank" means any byte of
// code 0..32, as the host's own string routines treat them.
namespace dux {

constexpr char AsciiUpper(char c) noexcept {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}
constexpr char AsciiLower(char c) noexcept {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// True for bytes of code 0..32 (control characters and the blank).
constexpr bool IsBlankOrControl(char c) noexcept { return static_cast<unsigned char>(c) <= 32; }

std::string AsciiUpperCase(std::string_view text);
std::string AsciiLowerCase(std::string_view text);
// Inline, so that a search through many names of other lengths costs no call for each.
constexpr bool SameTextIgnoringCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// Without leading and/or trailing bytes of code 0..32.
std::string_view TrimBlanks(std::string_view text) noexcept;
std::string_view TrimLeftBlanks(std::string_view text) noexcept;
std::string_view TrimRightBlanks(std::string_view text) noexcept;

// Without the zero bytes at its end, which pad fixed-size text fields.
constexpr std::string_view TrimTrailingZeroBytes(std::string_view text) noexcept {
  while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
  return text;
}

// Where the file name of a Windows or POSIX path starts: one past its last "\\", "/" or ":"
// (0 when there is none).
constexpr std::size_t FileNameStart(std::string_view path) noexcept {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (path[i - 1] == '\\' || path[i - 1] == '/' || path[i - 1] == ':') return i;
  }
  return 0;
}

// A text for the host, which ends a text at its first zero byte: the padding zero bytes at its
// end dropped, every other zero byte shown as ".".
std::string HostTextOf(std::string_view text);

}  // namespace dux
