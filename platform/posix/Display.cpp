#include "platform/Display.h"

#include <array>

#include "platform/Dib.h"
#include "platform/EmbeddedFiles.h"

// Stand-ins for the screen and desktop: a true-colour screen without composition or themes,
// and the system colours of a default Windows desktop.
namespace dux::platform {
namespace {

constexpr Color Hex(std::uint32_t rgb) {
  return Rgb(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8 & 0xFF),
             static_cast<int>(rgb & 0xFF));
}

constexpr std::array<Color, 31> kSystemColors = {
    Hex(0xC8C8C8), Hex(0x000000), Hex(0x99B4D1), Hex(0xBFCDDB), Hex(0xF0F0F0), Hex(0xFFFFFF),
    Hex(0x646464), Hex(0x000000), Hex(0x000000), Hex(0x000000), Hex(0xB4B4B4), Hex(0xF4F7FC),
    Hex(0xABABAB), Hex(0x0078D7), Hex(0xFFFFFF), Hex(0xF0F0F0), Hex(0xA0A0A0), Hex(0x6D6D6D),
    Hex(0x000000), Hex(0x000000), Hex(0xFFFFFF), Hex(0x696969), Hex(0xE3E3E3), Hex(0x000000),
    Hex(0xFFFFE1), Hex(0x000000), Hex(0x0066CC), Hex(0xB9D1EA), Hex(0xD7E4F2), Hex(0x3399FF),
    Hex(0xF0F0F0)};

constexpr int kHighlight = static_cast<int>(SystemColorIndex::kHighlight);

struct tStandIn {
  int bitsPerPixel = 32;
  std::optional<Color> colorization;
  Color highlight = kSystemColors[kHighlight];
};

tStandIn& StandIn() {
  static tStandIn standIn;
  return standIn;
}

class StandInComposition final : public DesktopComposition {
 public:
  std::optional<Color> ColorizationColor() const override { return StandIn().colorization; }
};

}  // namespace

Color SystemColor(int index) {
  if (index == kHighlight) return StandIn().highlight;
  if (index < 0 || index >= static_cast<int>(kSystemColors.size())) return 0;
  return kSystemColors[static_cast<std::size_t>(index)];
}

int ScreenBitsPerPixel() { return StandIn().bitsPerPixel; }

bool ThemesActive() { return false; }

std::unique_ptr<DesktopComposition> OpenDesktopComposition() {
  return std::make_unique<StandInComposition>();
}

std::optional<tBitmap> LoadBitmapResource(std::string_view name) {
  for (const auto& file : EmbeddedFiles()) {
    if (file.name == name) return DecodeBmpFile(file.bytes);
  }
  return std::nullopt;
}

void SetStandInDisplay(int bitsPerPixel, std::optional<Color> colorization, Color highlight) {
  StandIn() = {bitsPerPixel, colorization, highlight};
}

void ResetStandInDisplay() { StandIn() = tStandIn(); }

}  // namespace dux::platform
