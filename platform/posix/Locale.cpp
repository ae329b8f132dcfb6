#include "platform/Locale.h"

#include <langinfo.h>
#include <locale.h>

#include <ctime>

#include "platform/LocaleOverride.h"

namespace dux::platform {
namespace {

// The C library's locale of the environment, without touching the process's global locale:
// its numbers and dates, the only parts asked for (the rest stays the built-in "C", so that
// no character tables are loaded for nothing).
class EnvironmentLocale {
 public:
  EnvironmentLocale() {
    locale_ = newlocale(LC_NUMERIC_MASK | LC_TIME_MASK, "", static_cast<locale_t>(0));
    if (locale_ == static_cast<locale_t>(0)) locale_ = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  }
  ~EnvironmentLocale() {
    if (locale_ != static_cast<locale_t>(0)) freelocale(locale_);
  }
  EnvironmentLocale(const EnvironmentLocale&) = delete;
  EnvironmentLocale& operator=(const EnvironmentLocale&) = delete;
  locale_t Get() const { return locale_; }

 private:
  locale_t locale_;
};

// The environment's locale, read once per process: a library call for each number would
// cost more than the rest of a file's reading.
const EnvironmentLocale& UserLocale() {
  static const EnvironmentLocale locale;
  return locale;
}

char ReadDecimalSeparator() {
  if (UserLocale().Get() == static_cast<locale_t>(0)) return '.';
  const char* radix = nl_langinfo_l(RADIXCHAR, UserLocale().Get());
  return radix != nullptr && radix[0] != '\0' && radix[1] == '\0' ? radix[0] : '.';
}

}  // namespace

char DecimalSeparator() {
  if (LocaleOverride().decimalSeparator != 0) return LocaleOverride().decimalSeparator;
  static const char separator = ReadDecimalSeparator();
  return separator;
}

std::string FormatShortDate(int year, int month, int day) {
  if (LocaleOverride().decimalSeparator != 0) {
    return FormatDatePicture(LocaleOverride().datePicture, year, month, day);
  }
  const EnvironmentLocale& locale = UserLocale();
  std::tm date{};
  date.tm_year = year - 1900;
  date.tm_mon = month - 1;
  date.tm_mday = day;
  char text[64] = "";
  if (locale.Get() == static_cast<locale_t>(0) ||
      strftime_l(text, sizeof text, nl_langinfo_l(D_FMT, locale.Get()), &date, locale.Get()) == 0) {
    return FormatDatePicture("yyyy-MM-dd", year, month, day);
  }
  return text;
}

}  // namespace dux::platform
