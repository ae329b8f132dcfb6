#include "controls/NeoBookHelpBox2.h"

#include "controls/NeoBookPanel.h"
#include "controls/NeoDisplay.h"

namespace dux::controls {
namespace {

constexpr Color kDefaultColor = Rgb(255, 255, 225);  // $00E1FFFF

// Draws a path of one-pixel lines; each line stops before its end point, as GDI's do.
void Polyline(Canvas& canvas, std::initializer_list<std::pair<int, int>> points, Color color) {
  const std::pair<int, int>* previous = nullptr;
  for (const auto& point : points) {
    if (previous != nullptr)
      canvas.Line(previous->first, previous->second, point.first, point.second, color);
    previous = &point;
  }
}

}  // namespace

TNeoBookHelpBox2::TNeoBookHelpBox2(TControl* parent) : TControl(parent) {
  SetColor(ScreenColorCount() <= 256 ? kClInfoBk : kDefaultColor);
}

tRect TNeoBookHelpBox2::AlignClientRect(Canvas& canvas) const {
  tRect rect = BasePanelClientRect(ClientRect());
  rect.top += canvas.MeasureText("M", Font(), platform::kTextSingleLine).height + 5;
  return Inflated(rect, -5);
}

void TNeoBookHelpBox2::Paint(Canvas& canvas) {
  const tBitmap& glyph = HelpGlyph();
  const int h = canvas.MeasureText("M", Font(), platform::kTextSingleLine).height + 5;
  const int w = Caption().empty()
                    ? glyph.width + 8
                    : canvas.MeasureText(Caption(), Font(),
                                         platform::kTextSingleLine | platform::kTextNoPrefix)
                              .width +
                          glyph.width + 13;
  canvas.FillRect(ClientRect(), ResolveColor(kClBtnFace));
  Color textColor = kBlack;
  if (ScreenColorCount() > 256) {
    PaintShaded(canvas, h, w);
  } else {
    PaintFlat(canvas, h, w);
    textColor = ResolveColor(kClBtnHighlight);
  }
  if (!glyph.Empty()) {
    canvas.DrawBitmap(glyph, 4, h / 2 - glyph.height / 2, glyph.At(0, glyph.height - 1));
  }
  if (!Caption().empty()) {
    const int x = glyph.width + 7;
    canvas.DrawText(Caption(), {x, 3, x, 3}, Font(), textColor,
                    platform::kTextSingleLine | platform::kTextNoClip | platform::kTextNoPrefix);
  }
}

void TNeoBookHelpBox2::PaintShaded(Canvas& canvas, int h, int w) {
  const int r = Width();
  const int b = Height();
  const Color k = kBorderColor;
  Polyline(canvas, {{1, h}, {1, 1}, {w - 1, 1}, {w - 1, h + 1}}, BlendColors(k, kTabColor, 25));
  Polyline(canvas, {{2, h}, {2, 2}, {w - 2, 2}, {w - 2, h + 1}}, BlendColors(k, kTabColor, 15));
  canvas.FillRect({3, 3, w - 2, h + 1}, kTabColor);
  canvas.Line(0, 2, 0, h, k);
  canvas.Line(2, 0, w - 1, 0, k);
  canvas.Line(w, 2, w, h, k);
  DrawCornerStamp(canvas, 0, 0, kStampTopLeft, k);
  DrawCornerStamp(canvas, w - 2, 0, kStampTopRight, k);

  canvas.FrameRect({1, h + 1, r - 1, b - 1}, BlendColors(k, kBodyColor, 40));
  canvas.FrameRect({2, h + 2, r - 2, b - 2}, BlendColors(k, kBodyColor, 20));
  canvas.FillRect({3, h + 3, r - 2, b - 3}, kBodyColor);
  canvas.Line(w, h, r - 2, h, k);
  canvas.Line(r - 1, h + 2, r - 1, b - 2, k);
  canvas.Line(2, b - 1, r - 2, b - 1, k);
  canvas.Line(0, h, 0, b - 2, k);
  DrawCornerStamp(canvas, r - 3, h, kStampTopRight, k);
  DrawCornerStamp(canvas, r - 3, b - 3, kStampBottomRight, k);
  DrawCornerStamp(canvas, 0, b - 3, kStampBottomLeft, k);
}

void TNeoBookHelpBox2::PaintFlat(Canvas& canvas, int h, int w) {
  const Color shadow = ResolveColor(kClBtnShadow);
  const Color info = ResolveColor(kClInfoBk);
  canvas.RoundRect({0, 0, w, h + 10}, 10, 10, shadow, shadow);
  canvas.RoundRect({0, h, Width(), Height()}, 10, 10, shadow, info);
  canvas.FillRect({1, h + 1, 10, h + 10}, info);
}

}  // namespace dux::controls
