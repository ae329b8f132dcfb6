#pragma once

#include <string>

// The user's number and date conventions, as the system has them.
namespace dux::platform {

// What reading and listing take of the user's locale: the decimal separator and the short date
// format as a Windows-style picture (d, dd, M, MM, yy, yyyy; quoted text and other characters
// copied). The default is a locale of its own, the same on every machine.
struct tLocale {
  char decimalSeparator = '.';
  std::string shortDatePicture = "yyyy-MM-dd";
};

// The user's locale, read from the system: a separator of more than one byte gives '.', a
// missing date format "yyyy-MM-dd".
tLocale UserLocale();

}  // namespace dux::platform
