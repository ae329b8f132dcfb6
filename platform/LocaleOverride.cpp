#include "platform/LocaleOverride.h"

#include <cstdio>

namespace dux::platform {
namespace {

tLocaleOverride& State() {
  static tLocaleOverride state;
  return state;
}

std::string Padded(int value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", digits, value);
  return text;
}

}  // namespace

const tLocaleOverride& LocaleOverride() { return State(); }

void OverrideLocaleForTests(char decimalSeparator, const std::string& datePicture) {
  State() = {decimalSeparator, datePicture};
}

std::string FormatDatePicture(const std::string& picture, int year, int month, int day) {
  std::string out;
  for (std::size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    std::size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    if (c == '\'') {
      const auto close = picture.find('\'', i + 1);
      out += picture.substr(i + 1, (close == std::string::npos ? picture.size() : close) - i - 1);
      i = close == std::string::npos ? picture.size() : close + 1;
      continue;
    }
    if (c == 'd') {
      out += run >= 2 ? Padded(day, 2) : std::to_string(day);
    } else if (c == 'M') {
      out += run >= 2 ? Padded(month, 2) : std::to_string(month);
    } else if (c == 'y') {
      out += run >= 3 ? Padded(year, 4) : run == 2 ? Padded(year % 100, 2) : std::to_string(year % 100);
    } else {
      out.append(run, c);
    }
    i += run;
  }
  return out;
}

}  // namespace dux::platform
