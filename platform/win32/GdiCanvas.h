#pragma once

#include "platform/win32/WindowsApi.h"

#include <map>
#include <string>
#include <tuple>

#include "platform/Canvas.h"
#include "platform/WindowClient.h"

namespace dux::platform {

// A canvas that draws through a GDI device context with solid pens and brushes, one object
// per operation, as the controls' painting expects. Fonts are created on first use and kept
// while the canvas lives.
class GdiCanvas final : public Canvas {
 public:
  explicit GdiCanvas(HDC dc);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

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
  HFONT FontFor(const tFont& font);

  HDC dc_;
  HGDIOBJ originalFont_;
  std::map<std::tuple<std::string, int, bool>, HFONT> fonts_;
};

// A GDI font of the font's name, character height in pixels and weight; the caller deletes it.
HFONT CreateGdiFont(const tFont& font);

// Answers WM_PAINT: the client paints the window through a canvas on its paint context.
void PaintWindow(HWND window, WindowClient& client);

// The GDI DrawText flags for the canvas's text flags.
UINT GdiTextFlags(unsigned flags);

}  // namespace dux::platform
