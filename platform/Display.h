#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "platform/Canvas.h"

// The screen and desktop values the host-look controls are set up from.
namespace dux::platform {

// Indexes of the system colour table, as Windows numbers them.
enum class SystemColorIndex : int {
  kWindow = 5,
  kWindowText = 8,
  kHighlight = 13,
  kButtonFace = 15,
  kButtonShadow = 16,
  kGrayText = 17,
  kButtonText = 18,
  kButtonHighlight = 20,
  kInfoText = 23,
  kInfoBackground = 24,
};

// The system's current colour for an index of the system colour table (0 .. 30); black for
// any other index.
Color SystemColor(int index);

// Bits per pixel times colour planes of the screen.
int ScreenBitsPerPixel();

// Whether the desktop draws windows with visual themes.
bool ThemesActive();

// The desktop window manager's colourisation, looked up in "dwmapi.dll" at run time on
// systems that have it. The library stays loaded while the object lives.
class DesktopComposition {
 public:
  virtual ~DesktopComposition() = default;
  // The colourisation colour ($00BBGGRR, alpha dropped) when composition is enabled; nothing
  // when composition is off or the functions are absent.
  virtual std::optional<Color> ColorizationColor() const = 0;
};
std::unique_ptr<DesktopComposition> OpenDesktopComposition();

// A bitmap resource of the library (24-bit picture), by resource name; nothing when absent.
std::optional<tBitmap> LoadBitmapResource(std::string_view name);

// Test seams for the posix stand-ins (no effect on Windows): the screen depth, the
// composition colour (nothing = composition off) and the highlight colour.
void SetStandInDisplay(int bitsPerPixel, std::optional<Color> colorization, Color highlight);
void ResetStandInDisplay();

}  // namespace dux::platform
