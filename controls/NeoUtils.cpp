#include "controls/NeoUtils.h"

#include <algorithm>
#include <cmath>

#include "platform/Display.h"

namespace dux::controls {
namespace {

using platform::BlueOf;
using platform::GreenOf;
using platform::RedOf;

// Weights of red, green and blue in the distance: 195, 390 and 65 for a full channel.
constexpr std::array<float, 3> kWeight = {195.0f / 255.0f, 390.0f / 255.0f, 65.0f / 255.0f};
constexpr std::array<double, 3> kScaledMax = {195.0, 390.0, 65.0};

std::array<int, 3> Channels(Color c) { return {RedOf(c), GreenOf(c), BlueOf(c)}; }

int BlendChannel(int c1, int c2, int weight, int denominator) {
  return (c1 * weight + c2 * (denominator - weight) + denominator / 2) / denominator & 0xFF;
}

// A colour in the weighted space of ColorDistance.
std::array<double, 3> Scaled(Color c) {
  const auto ch = Channels(c);
  return {ch[0] * double{kWeight[0]}, ch[1] * double{kWeight[1]}, ch[2] * double{kWeight[2]}};
}

std::array<double, 3> Mirrored(const std::array<double, 3>& v) {
  return {kScaledMax[0] - v[0], kScaledMax[1] - v[1], kScaledMax[2] - v[2]};
}

double Dot(const std::array<double, 3>& a, const std::array<double, 3>& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// The point on the ray from the origin through p that lies d away from a, on the origin's side
// of a's foot point.
std::array<double, 3> PointAtDistance(const std::array<double, 3>& p,
                                      const std::array<double, 3>& a, double d) {
  const double length = std::max(std::sqrt(Dot(p, p)), 0.01);
  const double foot = Dot(a, p) / length;
  std::array<double, 3> offset{};
  for (std::size_t i = 0; i < 3; ++i) offset[i] = p[i] * foot / length - a[i];
  // A reference farther than d from the whole ray leaves no such point: take the foot point.
  const double along = std::sqrt(std::max(d * d - Dot(offset, offset), 0.0));
  const double position = foot - along;
  return {p[0] * position / length, p[1] * position / length, p[2] * position / length};
}

Color Unscaled(const std::array<double, 3>& v) {
  std::array<int, 3> ch{};
  for (std::size_t i = 0; i < 3; ++i) {
    const double clamped = std::clamp(v[i], 0.0, kScaledMax[i]);
    ch[i] = std::clamp(static_cast<int>(clamped / double{kWeight[i]} + 0.5), 0, 255);
  }
  return Rgb(ch[0], ch[1], ch[2]);
}

}  // namespace

Color ResolveColor(Color color) {
  if ((color & 0x80000000u) != 0) return platform::SystemColor(static_cast<int>(color & 0xFF));
  return color & 0xFFFFFF;
}

Color BlendColors(Color c1, Color c2, int weight) {
  const auto a = Channels(ResolveColor(c1));
  const auto b = Channels(ResolveColor(c2));
  const int denominator = weight >= 100 ? 1000 : 100;
  return Rgb(BlendChannel(a[0], b[0], weight, denominator),
             BlendChannel(a[1], b[1], weight, denominator),
             BlendChannel(a[2], b[2], weight, denominator));
}

void FillGradient(Canvas& canvas, const tRect& rect, Color endColor, bool vertical,
                  Color startColor) {
  const int lines = vertical ? rect.Height() : rect.Width();
  if (lines <= 0) return;
  const auto end = Channels(ResolveColor(endColor));
  const auto start = Channels(ResolveColor(startColor));
  for (int g = 0; g < lines; ++g) {
    std::array<int, 3> ch = end;
    if (lines > 1) {
      for (std::size_t i = 0; i < 3; ++i) ch[i] = end[i] + g * (start[i] - end[i]) / (lines - 1);
    }
    tRect part = rect;
    (vertical ? part.bottom : part.right) -= g;
    canvas.FillRect(part, Rgb(ch[0], ch[1], ch[2]));
  }
}

Color ShiftColor(Color color, int delta) {
  const auto ch = Channels(ResolveColor(color));
  return Rgb(std::clamp(ch[0] + delta, 0, 255), std::clamp(ch[1] + delta, 0, 255),
             std::clamp(ch[2] + delta, 0, 255));
}

float ColorDistance(Color c1, Color c2) {
  const auto a = Channels(ResolveColor(c1));
  const auto b = Channels(ResolveColor(c2));
  float sum = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    const float d = static_cast<float>(a[i] - b[i]) * kWeight[i];
    sum += d * d;
  }
  return std::sqrt(sum);
}

double RequiredContrast(double threshold, double brightness) {
  if (brightness >= 220) return threshold;
  return threshold * (2 - brightness / 220);
}

bool HasContrast(Color c1, Color c2, bool scaled, double threshold) {
  if (scaled) threshold = RequiredContrast(threshold, ColorDistance(c2, kBlack));
  return ColorDistance(c2, c1) > threshold;
}

void EnsureContrast(Color& color, Color reference, int threshold) {
  const Color p = ResolveColor(color);
  const Color a = ResolveColor(reference);
  if (HasContrast(p, a, true, threshold)) {
    color = p;
    return;
  }
  const double d = RequiredContrast(threshold, ColorDistance(a, kBlack));
  const double b = ColorDistance(p, kBlack);
  const double c = ColorDistance(a, kBlack);
  const bool towardBlack = b > c ? c >= 442 - d : c >= d;
  auto pv = Scaled(p);
  auto av = Scaled(a);
  if (!towardBlack) {
    pv = Mirrored(pv);
    av = Mirrored(av);
  }
  auto moved = PointAtDistance(pv, av, d);
  if (!towardBlack) moved = Mirrored(moved);
  color = Unscaled(moved);
}

void BlendPixel(Canvas& canvas, int x, int y, int alpha, Color color) {
  if (alpha <= 0) return;
  const Color plain = ResolveColor(color);
  if (alpha >= 255) {
    canvas.SetPixel(x, y, plain);
    return;
  }
  const auto old = canvas.Pixel(x, y);
  if (!old) return;
  if (alpha >= 128) ++alpha;
  const std::uint32_t redBlue =
      ((plain & 0xFF00FFu) * static_cast<std::uint32_t>(alpha) +
       (*old & 0xFF00FFu) * static_cast<std::uint32_t>(256 - alpha) + 0x7F007Fu) >>
      8;
  const std::uint32_t green =
      ((plain & 0xFF00u) * static_cast<std::uint32_t>(alpha) +
       (*old & 0xFF00u) * static_cast<std::uint32_t>(256 - alpha) + 0x7F00u) >>
      8;
  canvas.SetPixel(x, y, (redBlue & 0xFF00FFu) | (green & 0xFF00u));
}

void DrawCornerStamp(Canvas& canvas, int x, int y, const tCornerStamp& alphas, Color color) {
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      BlendPixel(canvas, x + j, y + i, alphas[static_cast<std::size_t>(3 * i + j)], color);
    }
  }
}

void DrawBevelFrame(Canvas& canvas, const tRect& r, Color light, Color dark) {
  const Color lightColor = ResolveColor(light);
  const Color darkColor = ResolveColor(dark);
  canvas.Line(r.left, r.bottom - 1, r.left, r.top, lightColor);
  canvas.Line(r.left, r.top, r.right - 1, r.top, lightColor);
  canvas.Line(r.left, r.bottom - 1, r.right - 1, r.bottom - 1, darkColor);
  canvas.Line(r.right - 1, r.bottom - 1, r.right - 1, r.top, darkColor);
  const Color corner = BlendColors(lightColor, darkColor, 50);
  canvas.SetPixel(r.right - 1, r.top, corner);
  canvas.SetPixel(r.left, r.bottom - 1, corner);
}

void DrawRoundedOutline(Canvas& canvas, const tRect& r, Color color) {
  const Color k = ResolveColor(color);
  const int right = r.right - 1;
  const int bottom = r.bottom - 1;
  canvas.Line(r.left + 3, r.top, right - 2, r.top, k);
  canvas.Line(r.left, r.top + 3, r.left, bottom - 2, k);
  canvas.Line(right, r.top + 3, right, bottom - 2, k);
  canvas.Line(r.left + 3, bottom, right - 2, bottom, k);
  DrawCornerStamp(canvas, r.left, r.top, kStampTopLeft, k);
  DrawCornerStamp(canvas, right - 2, r.top, kStampTopRight, k);
  DrawCornerStamp(canvas, r.left, bottom - 2, kStampBottomLeft, k);
  DrawCornerStamp(canvas, right - 2, bottom - 2, kStampBottomRight, k);
}

}  // namespace dux::controls
