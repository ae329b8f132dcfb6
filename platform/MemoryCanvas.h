#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace dux::platform {

// A canvas in memory: a bitmap of a given size, one-pixel lines as GDI draws them, text in a
// small built-in font (6 x 11 cells; the font height only sets the line height). Drawing outside
// the bitmap is clipped.
class MemoryCanvas final : public Canvas {
 public:
  MemoryCanvas(int width, int height, Color fill = Rgb(255, 255, 255));

  const tBitmap& Image() const { return image_; }
  tBitmap& Image() { return image_; }

  // Moves the origin to (originX, originY) and keeps all drawing inside `clip` (image
  // coordinates), as a child window's device context does.
  void SetViewport(int originX, int originY, const tRect& clip);
  // The whole image again, origin at its top-left corner.
  void ResetViewport() { SetViewport(0, 0, {0, 0, image_.width, image_.height}); }

  // Takes text sizes from elsewhere (another canvas's font), so that layouts computed from them
  // match that canvas; the built-in font still draws the characters.
  using TextMeasurer = std::function<tSize(std::string_view, const tFont&, unsigned)>;
  void SetTextMeasurer(TextMeasurer measurer) { measurer_ = std::move(measurer); }

  // Where drawing depends on the system's rendering rather than on exact arithmetic: the boxes
  // of drawn texts and the corners of rounded rectangles, in image coordinates.
  const std::vector<tRect>& InexactAreas() const { return inexact_; }

  std::optional<Color> Pixel(int x, int y) const override;
  void SetPixel(int x, int y, Color color) override;
  void FillRect(const tRect& rect, Color color) override;
  void Line(int x0, int y0, int x1, int y1, Color color) override;
  void FrameRect(const tRect& rect, Color color) override;
  void RoundRect(const tRect& rect, int ew, int eh, std::optional<Color> pen,
                 std::optional<Color> brush) override;
  void DrawBitmap(const tBitmap& bitmap, int x, int y, std::optional<Color> transparent) override;
  tSize MeasureText(std::string_view text, const tFont& font, unsigned flags) override;
  void DrawText(std::string_view text, const tRect& rect, const tFont& font, Color color,
                unsigned flags) override;

 private:
  bool Visible(int x, int y) const;      // x, y in image coordinates
  void Plot(int x, int y, Color color);  // x, y in viewport coordinates
  void Ellipse(const tRect& rect, int ew, int eh, std::optional<Color> pen,
               std::optional<Color> brush);

  void NoteInexact(const tRect& rect);

  tBitmap image_;
  TextMeasurer measurer_;
  std::vector<tRect> inexact_;
  int originX_ = 0;
  int originY_ = 0;
  tRect clip_;
};

// The glyph cell of the built-in font: every character is this wide; the font's height sets
// the line height.
inline constexpr int kMemoryFontCellWidth = 6;

// Writes an image as a 24-bit BMP file; false when it cannot be written.
bool SaveBmp(const tBitmap& image, const std::string& path);

// Writes an image as a PNG file; false when it cannot be written (or PNG is not available in
// this build: the Windows build writes BMP files instead).
bool SavePng(const tBitmap& image, const std::string& path);

}  // namespace dux::platform
