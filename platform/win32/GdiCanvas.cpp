#include "platform/win32/GdiCanvas.h"

namespace dux::platform {
namespace {

COLORREF Ref(Color color) { return static_cast<COLORREF>(color & 0xFFFFFF); }

RECT ToRect(const tRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// Selects a GDI object for the lifetime of the guard and deletes it afterwards (stock objects
// are not deleted).
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object, bool owned) : dc_(dc), object_(object), owned_(owned) {
    previous_ = SelectObject(dc, object);
  }
  ~Selected() {
    SelectObject(dc_, previous_);
    if (owned_) DeleteObject(object_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ object_;
  HGDIOBJ previous_;
  bool owned_;
};

}  // namespace

UINT GdiTextFlags(unsigned flags) {
  UINT gdi = DT_LEFT | DT_TOP;
  if ((flags & kTextCenter) != 0) gdi |= DT_CENTER;
  if ((flags & kTextVCenter) != 0) gdi |= DT_VCENTER;
  if ((flags & kTextSingleLine) != 0) gdi |= DT_SINGLELINE;
  if ((flags & kTextNoPrefix) != 0) gdi |= DT_NOPREFIX;
  if ((flags & kTextExpandTabs) != 0) gdi |= DT_EXPANDTABS;
  if ((flags & kTextRtlReading) != 0) gdi |= DT_RTLREADING;
  if ((flags & kTextNoClip) != 0) gdi |= DT_NOCLIP;
  if ((flags & kTextWordBreak) != 0) gdi |= DT_WORDBREAK;
  return gdi;
}

HFONT CreateGdiFont(const tFont& font) {
  return CreateFontA(-font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
}

void PaintWindow(HWND window, WindowClient& client) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  {
    GdiCanvas canvas(dc);
    client.Paint(canvas);
  }
  EndPaint(window, &ps);
}

GdiCanvas::GdiCanvas(HDC dc) : dc_(dc), originalFont_(GetCurrentObject(dc, OBJ_FONT)) {}

GdiCanvas::~GdiCanvas() {
  SelectObject(dc_, originalFont_);
  for (auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT GdiCanvas::FontFor(const tFont& font) {
  const auto key = std::make_tuple(font.name, font.height, font.bold);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;
  HFONT created = CreateGdiFont(font);
  fonts_.emplace(key, created);
  return created;
}

std::optional<Color> GdiCanvas::Pixel(int x, int y) const {
  const COLORREF pixel = GetPixel(dc_, x, y);
  if (pixel == CLR_INVALID) return std::nullopt;
  return static_cast<Color>(pixel) & 0xFFFFFF;
}

void GdiCanvas::SetPixel(int x, int y, Color color) { SetPixelV(dc_, x, y, Ref(color)); }

void GdiCanvas::FillRect(const tRect& rect, Color color) {
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  HBRUSH brush = CreateSolidBrush(Ref(color));
  const RECT r = ToRect(rect);
  ::FillRect(dc_, &r, brush);
  DeleteObject(brush);
}

void GdiCanvas::Line(int x0, int y0, int x1, int y1, Color color) {
  Selected pen(dc_, CreatePen(PS_SOLID, 1, Ref(color)), true);
  MoveToEx(dc_, x0, y0, nullptr);
  LineTo(dc_, x1, y1);
}

void GdiCanvas::FrameRect(const tRect& rect, Color color) {
  HBRUSH brush = CreateSolidBrush(Ref(color));
  const RECT r = ToRect(rect);
  ::FrameRect(dc_, &r, brush);
  DeleteObject(brush);
}

void GdiCanvas::RoundRect(const tRect& rect, int ew, int eh, std::optional<Color> pen,
                          std::optional<Color> brush) {
  Selected penGuard(dc_, pen ? CreatePen(PS_SOLID, 1, Ref(*pen)) : GetStockObject(NULL_PEN),
                    pen.has_value());
  Selected brushGuard(dc_, brush ? CreateSolidBrush(Ref(*brush)) : GetStockObject(NULL_BRUSH),
                      brush.has_value());
  ::RoundRect(dc_, rect.left, rect.top, rect.right, rect.bottom, ew, eh);
}

void GdiCanvas::DrawBitmap(const tBitmap& bitmap, int x, int y, std::optional<Color> transparent) {
  for (int row = 0; row < bitmap.height; ++row) {
    for (int col = 0; col < bitmap.width; ++col) {
      const Color c = bitmap.At(col, row) & 0xFFFFFF;
      if (transparent && c == (*transparent & 0xFFFFFF)) continue;
      SetPixelV(dc_, x + col, y + row, Ref(c));
    }
  }
}

tSize GdiCanvas::MeasureText(std::string_view text, const tFont& font, unsigned flags) {
  SelectObject(dc_, FontFor(font));
  RECT r{0, 0, 0, 0};
  // Alignment does not change a size; Wine moves the measured rectangle by it.
  const unsigned sizeFlags = flags & ~static_cast<unsigned>(kTextCenter | kTextVCenter);
  ::DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &r,
              GdiTextFlags(sizeFlags) | DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}

void GdiCanvas::DrawText(std::string_view text, const tRect& rect, const tFont& font, Color color,
                         unsigned flags) {
  SelectObject(dc_, FontFor(font));
  const int oldMode = SetBkMode(dc_, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc_, Ref(color));
  RECT r = ToRect(rect);
  ::DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &r, GdiTextFlags(flags));
  SetTextColor(dc_, oldColor);
  SetBkMode(dc_, oldMode);
}

}  // namespace dux::platform
