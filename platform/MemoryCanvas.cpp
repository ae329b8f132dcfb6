#include "platform/MemoryCanvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace dux::platform {
namespace {

constexpr int kCellHeight = 11;
constexpr int kTabCells = 8;

constexpr std::array<std::array<std::uint8_t, kCellHeight>, 95> kFont = {{
#include "platform/MemoryFont.inc"
}};

// One line of text as it is drawn: the characters and which of them is underlined.
struct tTextLine {
  std::string chars;
  int underlined = -1;  // index into chars, or -1
};

// Applies "&" prefixes and tab expansion to one line.
tTextLine PrepareLine(std::string_view text, unsigned flags) {
  tTextLine line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '&' && (flags & kTextNoPrefix) == 0) {
      if (i + 1 >= text.size()) break;
      c = text[++i];
      if (c != '&') line.underlined = static_cast<int>(line.chars.size());
    }
    if (c == '\t' && (flags & kTextExpandTabs) != 0) {
      line.chars.append(kTabCells - line.chars.size() % kTabCells, ' ');
      continue;
    }
    line.chars.push_back(c);
  }
  return line;
}

int WidthOf(const tTextLine& line) {
  return static_cast<int>(line.chars.size()) * kMemoryFontCellWidth;
}

// Splits at line breaks (CR LF, CR or LF); a single-line text keeps them as characters.
std::vector<std::string_view> SplitLines(std::string_view text, unsigned flags) {
  if ((flags & kTextSingleLine) != 0) return {text};
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

// Breaks a line between words so that each part fits `width` (a word longer than the width
// stands on a line of its own).
void AppendWrapped(std::string_view text, int width, unsigned flags, std::vector<tTextLine>& out) {
  const auto cells = static_cast<std::size_t>(std::max(1, width / kMemoryFontCellWidth));
  while (PrepareLine(text, flags).chars.size() > cells) {
    std::size_t cut = text.rfind(' ', cells);
    if (cut == std::string_view::npos || cut == 0) cut = std::min(text.find(' '), text.size());
    out.push_back(PrepareLine(text.substr(0, cut), flags));
    text = cut < text.size() ? text.substr(cut + 1) : std::string_view();
  }
  out.push_back(PrepareLine(text, flags));
}

std::vector<tTextLine> LayOut(std::string_view text, int width, unsigned flags) {
  std::vector<tTextLine> lines;
  for (std::string_view line : SplitLines(text, flags)) {
    if ((flags & kTextWordBreak) != 0) {
      AppendWrapped(line, width, flags, lines);
    } else {
      lines.push_back(PrepareLine(line, flags));
    }
  }
  return lines;
}

const std::array<std::uint8_t, kCellHeight>& GlyphOf(char c) {
  const auto code = static_cast<unsigned char>(c);
  return kFont[code >= 32 && code <= 126 ? code - 32 : '?' - 32];
}

}  // namespace

MemoryCanvas::MemoryCanvas(int width, int height, Color fill)
    : image_(std::max(width, 0), std::max(height, 0), fill & 0xFFFFFF) {
  ResetViewport();
}

void MemoryCanvas::SetViewport(int originX, int originY, const tRect& clip) {
  originX_ = originX;
  originY_ = originY;
  clip_ = clip;
}

bool MemoryCanvas::Visible(int x, int y) const {
  return x >= 0 && y >= 0 && x < image_.width && y < image_.height && clip_.Contains(x, y);
}

void MemoryCanvas::Plot(int x, int y, Color color) {
  const int ix = x + originX_;
  const int iy = y + originY_;
  if (Visible(ix, iy)) image_.Set(ix, iy, color & 0xFFFFFF);
}

std::optional<Color> MemoryCanvas::Pixel(int x, int y) const {
  const int ix = x + originX_;
  const int iy = y + originY_;
  if (!Visible(ix, iy)) return std::nullopt;
  return image_.At(ix, iy);
}

void MemoryCanvas::SetPixel(int x, int y, Color color) { Plot(x, y, color); }

void MemoryCanvas::FillRect(const tRect& rect, Color color) {
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) Plot(x, y, color);
  }
}

void MemoryCanvas::Line(int x0, int y0, int x1, int y1, Color color) {
  // Bresenham from the first point up to, not including, the end point.
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (x0 != x1 || y0 != y1) {
    Plot(x0, y0, color);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void MemoryCanvas::FrameRect(const tRect& rect, Color color) {
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  FillRect({rect.left, rect.top, rect.right, rect.top + 1}, color);
  FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, color);
  FillRect({rect.left, rect.top, rect.left + 1, rect.bottom}, color);
  FillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, color);
}

void MemoryCanvas::NoteInexact(const tRect& rect) {
  inexact_.push_back(rect.Moved(originX_, originY_));
}

void MemoryCanvas::RoundRect(const tRect& rect, int ew, int eh, std::optional<Color> pen,
                             std::optional<Color> brush) {
  Ellipse(rect, std::max(ew, 0), std::max(eh, 0), pen, brush);
  const int w = (std::max(ew, 0) + 1) / 2 + 1;
  const int h = (std::max(eh, 0) + 1) / 2 + 1;
  NoteInexact({rect.left, rect.top, rect.left + w, rect.top + h});
  NoteInexact({rect.right - w, rect.top, rect.right, rect.top + h});
  NoteInexact({rect.left, rect.bottom - h, rect.left + w, rect.bottom});
  NoteInexact({rect.right - w, rect.bottom - h, rect.right, rect.bottom});
}

// Row by row, the span of a rectangle whose corners are quarter ellipses of ew x eh; the pen
// draws each row's ends and closes the gaps between rows, the brush fills between them.
void MemoryCanvas::Ellipse(const tRect& rect, int ew, int eh, std::optional<Color> pen,
                           std::optional<Color> brush) {
  const int height = rect.Height();
  if (rect.Width() <= 0 || height <= 0) return;
  const double rx = std::min(ew, rect.Width()) / 2.0;
  const double ry = std::min(eh, height) / 2.0;
  std::vector<int> inset(static_cast<std::size_t>(height), 0);
  for (int row = 0; row < height; ++row) {
    const double fromEdge = std::min(row, height - 1 - row) + 0.5;
    if (ry <= 0 || fromEdge >= ry) continue;
    const double dy = (ry - fromEdge) / ry;
    inset[static_cast<std::size_t>(row)] =
        static_cast<int>(std::lround(rx - rx * std::sqrt(1 - dy * dy)));
  }
  for (int row = 0; row < height; ++row) {
    const int y = rect.top + row;
    const int in = inset[static_cast<std::size_t>(row)];
    const int left = rect.left + in;
    const int right = rect.right - 1 - in;
    if (brush) FillRect({left, y, right + 1, y + 1}, *brush);
    if (!pen) continue;
    const bool edgeRow = row == 0 || row == height - 1;
    if (edgeRow) {
      FillRect({left, y, right + 1, y + 1}, *pen);
      continue;
    }
    const int neighbour = row < height / 2 ? inset[static_cast<std::size_t>(row - 1)]
                                           : inset[static_cast<std::size_t>(row + 1)];
    const int run = std::max(1, neighbour - in);
    FillRect({left, y, left + run, y + 1}, *pen);
    FillRect({right + 1 - run, y, right + 1, y + 1}, *pen);
  }
}

void MemoryCanvas::DrawBitmap(const tBitmap& bitmap, int x, int y,
                              std::optional<Color> transparent) {
  for (int row = 0; row < bitmap.height; ++row) {
    for (int col = 0; col < bitmap.width; ++col) {
      const Color c = bitmap.At(col, row) & 0xFFFFFF;
      if (transparent && c == (*transparent & 0xFFFFFF)) continue;
      Plot(x + col, y + row, c);
    }
  }
}

tSize MemoryCanvas::MeasureText(std::string_view text, const tFont& font, unsigned flags) {
  if (measurer_) return measurer_(text, font, flags);
  const auto lines = LayOut(text, 0, flags & ~static_cast<unsigned>(kTextWordBreak));
  int width = 0;
  for (const auto& line : lines) width = std::max(width, WidthOf(line));
  return {width, static_cast<int>(lines.size()) * font.height};
}

void MemoryCanvas::DrawText(std::string_view text, const tRect& rect, const tFont& font,
                            Color color, unsigned flags) {
  const auto lines = LayOut(text, rect.Width(), flags);
  const int lineHeight = std::max(font.height, 1);
  {
    const tSize box = MeasureText(text, font, flags & ~static_cast<unsigned>(kTextWordBreak));
    int boxLeft = rect.left;
    int boxTop = rect.top;
    if ((flags & kTextCenter) != 0) boxLeft += (rect.Width() - box.width) / 2;
    if ((flags & kTextVCenter) != 0 && (flags & kTextSingleLine) != 0)
      boxTop += (rect.Height() - box.height) / 2;
    NoteInexact({boxLeft, boxTop, boxLeft + box.width, boxTop + box.height});
  }
  int y = rect.top;
  if ((flags & kTextVCenter) != 0 && (flags & kTextSingleLine) != 0) {
    y = rect.top + (rect.Height() - lineHeight) / 2;
  }
  const int glyphTop = std::max(0, (lineHeight - kCellHeight) / 2);
  for (const auto& line : lines) {
    int x = rect.left;
    if ((flags & kTextCenter) != 0) x = rect.left + (rect.Width() - WidthOf(line)) / 2;
    NoteInexact({x, y, x + WidthOf(line), y + lineHeight});
    for (std::size_t i = 0; i < line.chars.size(); ++i) {
      const auto& glyph = GlyphOf(line.chars[i]);
      const int cellX = x + static_cast<int>(i) * kMemoryFontCellWidth;
      for (int row = 0; row < kCellHeight && row < lineHeight; ++row) {
        for (int col = 0; col < kMemoryFontCellWidth; ++col) {
          if ((glyph[static_cast<std::size_t>(row)] >> (kMemoryFontCellWidth - 1 - col) & 1) == 0)
            continue;
          const int px = cellX + col;
          const int py = y + glyphTop + row;
          if ((flags & kTextNoClip) != 0 || rect.Contains(px, py)) Plot(px, py, color);
        }
      }
      if (static_cast<int>(i) == line.underlined) {
        FillRect({cellX, y + glyphTop + 9, cellX + kMemoryFontCellWidth - 1, y + glyphTop + 10},
                 color);
      }
    }
    y += lineHeight;
  }
}

bool SaveBmp(const tBitmap& image, const std::string& path) {
  if (image.Empty()) return false;
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
  const std::uint32_t dataBytes = rowBytes * static_cast<std::uint32_t>(image.height);
  std::vector<unsigned char> file(54 + dataBytes, 0);
  auto put32 = [&file](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
      file[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<std::uint32_t>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(image.width));
  put32(22, static_cast<std::uint32_t>(image.height));
  file[26] = 1;
  file[28] = 24;
  put32(34, dataBytes);
  for (int y = 0; y < image.height; ++y) {
    std::size_t at = 54 + static_cast<std::size_t>(image.height - 1 - y) * rowBytes;
    for (int x = 0; x < image.width; ++x) {
      const Color c = image.At(x, y);
      file[at++] = static_cast<unsigned char>(BlueOf(c));
      file[at++] = static_cast<unsigned char>(GreenOf(c));
      file[at++] = static_cast<unsigned char>(RedOf(c));
    }
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!out) return false;
  return std::fwrite(file.data(), 1, file.size(), out.get()) == file.size() &&
         std::fflush(out.get()) == 0;
}

}  // namespace dux::platform
