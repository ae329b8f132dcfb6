#include "platform/Locale.h"

#include <windows.h>

namespace dux::platform {

tLocale UserLocale() {
  tLocale locale;
  char separator[8] = "";
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) == 2) {
    locale.decimalSeparator = separator[0];
  }
  char picture[80] = "";
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, picture, sizeof picture) != 0) {
    locale.shortDatePicture = picture;
  }
  return locale;
}

}  // namespace dux::platform
