#include "text/AsciiText.h"

namespace dux {

std::string AsciiUpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

std::string AsciiLowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

std::string_view TrimLeftBlanks(std::string_view text) noexcept {
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimRightBlanks(std::string_view text) noexcept {
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TrimBlanks(std::string_view text) noexcept {
  return TrimRightBlanks(TrimLeftBlanks(text));
}

std::string HostTextOf(std::string_view text) {
  std::string out(TrimTrailingZeroBytes(text));
  for (char& c : out) {
    if (c == '\0') c = '.';
  }
  return out;
}

}  // namespace dux
