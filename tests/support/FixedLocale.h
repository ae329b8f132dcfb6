#pragma once

#include <string>

#include "platform/Locale.h"

namespace dux::test {

// Fixes the decimal separator and short date format for the life of the object, so that texts
// come out the same under any machine locale.
class FixedLocale {
 public:
  explicit FixedLocale(char decimalSeparator = '.', const std::string& datePicture = "dd.MM.yyyy") {
    platform::OverrideLocaleForTests(decimalSeparator, datePicture);
  }
  ~FixedLocale() { platform::OverrideLocaleForTests(0, ""); }
  FixedLocale(const FixedLocale&) = delete;
  FixedLocale& operator=(const FixedLocale&) = delete;
};

}  // namespace dux::test
