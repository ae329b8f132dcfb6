#include "text/TextFields.h"

namespace dux {

std::string TextBefore(std::string_view text, std::string_view separator) {
  if (separator.empty()) return std::string(text);
  return std::string(text.substr(0, text.find(separator)));
}

std::string TextAfter(std::string_view text, std::string_view separator) {
  if (separator.empty()) return std::string(text);
  const auto found = text.find(separator);
  return found == std::string_view::npos ? std::string()
                                         : std::string(text.substr(found + separator.size()));
}

std::string NthField(std::string_view text, std::string_view separator, int n) {
  std::string rest(text);
  for (int i = 1; i < n; ++i) rest = TextAfter(rest, separator);
  return TextBefore(rest, separator);
}

int SeparatorCount(std::string_view text, std::string_view separator) {
  if (separator.empty()) return 0;
  int count = 0;
  for (auto found = text.find(separator); found != std::string_view::npos;
       found = text.find(separator, found + separator.size())) {
    ++count;
  }
  return count;
}

}  // namespace dux
