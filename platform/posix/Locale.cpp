#include "platform/Locale.h"

#include <langinfo.h>
#include <locale.h>

namespace dux::platform {
namespace {

// The C library's date format ("%m/%d/%y") as a Windows picture ("MM/dd/yy"); nothing when it
// holds a conversion the picture cannot say.
bool PictureOf(const char* format, std::string& picture) {
  std::string out;
  for (const char* c = format; *c != '\0'; ++c) {
    if (*c == '\'') continue;
    if (*c != '%') {
      const bool letter = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z');
      out += letter ? std::string{'\'', *c, '\''} : std::string(1, *c);
      continue;
    }
    switch (*++c) {
      case 'd':
        out += "dd";
        break;
      case 'e':
        out += "d";
        break;
      case 'm':
        out += "MM";
        break;
      case 'y':
        out += "yy";
        break;
      case 'Y':
        out += "yyyy";
        break;
      case 'D':
        out += "MM/dd/yy";
        break;
      case 'F':
        out += "yyyy-MM-dd";
        break;
      case '%':
        out += "'%'";
        break;
      default:
        return false;
    }
  }
  picture = out;
  return true;
}

tLocale ReadEnvironmentLocale() {
  tLocale result;
  const locale_t locale = newlocale(LC_NUMERIC_MASK | LC_TIME_MASK, "", static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) return result;
  const char* radix = nl_langinfo_l(RADIXCHAR, locale);
  if (radix != nullptr && radix[0] != '\0' && radix[1] == '\0') result.decimalSeparator = radix[0];
  const char* format = nl_langinfo_l(D_FMT, locale);
  if (format != nullptr && format[0] != '\0') PictureOf(format, result.shortDatePicture);
  freelocale(locale);
  return result;
}

}  // namespace

// The environment's locale (LC_NUMERIC and LC_TIME), without touching the process's own; read
// once, as the environment does not change while the process runs.
tLocale UserLocale() {
  static const tLocale locale = ReadEnvironmentLocale();
  return locale;
}

}  // namespace dux::platform
