#pragma once

#include <string>

#include "platform/Locale.h"

namespace dux::platform {

// The answers tests fixed with OverrideLocaleForTests; separator 0 when none.
struct tLocaleOverride {
  char decimalSeparator = 0;
  std::string datePicture;
};

const tLocaleOverride& LocaleOverride();

}  // namespace dux::platform
