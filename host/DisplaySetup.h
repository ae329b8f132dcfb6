#pragma once

#include <memory>

#include "platform/Display.h"

namespace dux {

// Sets up the host-look controls' display values when the library starts (screen colour
// count, caption-bar colour, help glyph) and releases what they hold when it unloads.
class TDisplaySetup {
 public:
  TDisplaySetup() noexcept;
  ~TDisplaySetup();
  TDisplaySetup(const TDisplaySetup&) = delete;
  TDisplaySetup& operator=(const TDisplaySetup&) = delete;

 private:
  std::unique_ptr<platform::DesktopComposition> composition_;
};

}  // namespace dux
