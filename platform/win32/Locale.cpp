#include "platform/Locale.h"

#include <windows.h>

#include "platform/LocaleOverride.h"

namespace dux::platform {

char DecimalSeparator() {
  if (LocaleOverride().decimalSeparator != 0) return LocaleOverride().decimalSeparator;
  char text[8] = "";
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text);
  return length == 2 ? text[0] : '.';
}

std::string FormatShortDate(int year, int month, int day) {
  if (LocaleOverride().decimalSeparator != 0) {
    return FormatDatePicture(LocaleOverride().datePicture, year, month, day);
  }
  char picture[80] = "";
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, picture, sizeof picture) == 0) {
    return FormatDatePicture("yyyy-MM-dd", year, month, day);
  }
  return FormatDatePicture(picture, year, month, day);
}

}  // namespace dux::platform
