#pragma once

#include <string>

// The user's number and date conventions, read from the system each time they are asked for.
namespace dux::platform {

// The decimal separator of the user's locale ('.' when the system gives none of one byte).
char DecimalSeparator();

// A date in the user's short date format.
std::string FormatShortDate(int year, int month, int day);

// Fixes both answers for tests, whatever the machine's locale: `datePicture` in the Windows
// form ("dd.MM.yyyy", "M/d/yyyy"). A separator of 0 returns to the user's settings.
void OverrideLocaleForTests(char decimalSeparator, const std::string& datePicture);

// A date formatted with a Windows-style picture: d, dd, M, MM, yy, yyyy; text in single quotes
// and every other character are copied.
std::string FormatDatePicture(const std::string& picture, int year, int month, int day);

}  // namespace dux::platform
