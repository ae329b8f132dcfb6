#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The few drawing operations the host-look controls use. On Windows a canvas draws through a
// GDI device context; MemoryCanvas draws into pixels, so painting can be tested pixel by pixel.
namespace dux::platform {

// A colour value $00BBGGRR (red in the low byte). Values with the top bit set name system
// colours and are resolved (SystemColor) before they reach a canvas.
using Color = std::uint32_t;

constexpr Color Rgb(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16);
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

// Left, top, right, bottom; the right and bottom edges are excluded.
struct tRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  tRect Moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  bool operator==(const tRect&) const = default;
};

struct tSize {
  int width = 0, height = 0;
  bool operator==(const tSize&) const = default;
};

struct tPoint {
  int x = 0, y = 0;
  bool operator==(const tPoint&) const = default;
};

struct tFont {
  std::string name = "MS Sans Serif";
  int height = 11;  // pixels
  bool bold = false;
};

// A true-colour image, row by row from the top.
struct tBitmap {
  int width = 0, height = 0;
  std::vector<Color> pixels;
  tBitmap() = default;
  tBitmap(int w, int h, Color fill = 0)
      : width(w),
        height(h),
        pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}
  Color At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
  void Set(int x, int y, Color c) {
    pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x)] = c;
  }
  bool Empty() const { return width <= 0 || height <= 0; }
};

// Text drawing options.
enum TextFlag : unsigned {
  kTextLeft = 0,
  kTextCenter = 1,
  kTextVCenter = 2,
  kTextSingleLine = 4,
  kTextNoPrefix = 8,  // "&" is drawn as it stands
  kTextExpandTabs = 16,
  kTextRtlReading = 32,
  kTextNoClip = 64,
  kTextWordBreak = 128,  // break lines between words to fit the rectangle's width
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  // The pixel's colour; nothing when it cannot be read (outside the surface).
  virtual std::optional<Color> Pixel(int x, int y) const = 0;
  virtual void SetPixel(int x, int y, Color color) = 0;
  virtual void FillRect(const tRect& rect, Color color) = 0;
  // A one-pixel line from (x0, y0) up to, not including, (x1, y1).
  virtual void Line(int x0, int y0, int x1, int y1, Color color) = 0;
  // The one-pixel outline of a rectangle (a rectangle drawn with a hollow brush).
  virtual void FrameRect(const tRect& rect, Color color) = 0;
  // A rectangle with rounded corners (corner ellipse ew x eh), outlined by `pen` and filled
  // with `brush`, either of them optional.
  virtual void RoundRect(const tRect& rect, int ew, int eh, std::optional<Color> pen,
                         std::optional<Color> brush) = 0;
  // Draws an image with its top-left corner at (x, y); pixels of `transparent` are left out.
  virtual void DrawBitmap(const tBitmap& bitmap, int x, int y,
                          std::optional<Color> transparent) = 0;
  // The size of a text in a font: one line (with kTextSingleLine) or lines at line breaks.
  virtual tSize MeasureText(std::string_view text, const tFont& font, unsigned flags) = 0;
  // Draws a text in a rectangle, transparently (the background stays).
  virtual void DrawText(std::string_view text, const tRect& rect, const tFont& font, Color color,
                        unsigned flags) = 0;
};

}  // namespace dux::platform
