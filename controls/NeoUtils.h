#pragma once

#include <array>
#include <cstdint>

#include "platform/Canvas.h"

// Colour arithmetic and pixel drawing shared by the host-look controls.
namespace dux::controls {

using platform::Canvas;
using platform::Color;
using platform::Rgb;
using platform::tRect;

// System colours: the top bit set, the index of the system colour table in the low byte.
constexpr Color SystemColorValue(int index) { return 0xFF000000u | static_cast<Color>(index); }
inline constexpr Color kClWindow = SystemColorValue(5);
inline constexpr Color kClWindowText = SystemColorValue(8);
inline constexpr Color kClHighlight = SystemColorValue(13);
inline constexpr Color kClBtnFace = SystemColorValue(15);
inline constexpr Color kClBtnShadow = SystemColorValue(16);
inline constexpr Color kClBtnText = SystemColorValue(18);
inline constexpr Color kClBtnHighlight = SystemColorValue(20);
inline constexpr Color kClInfoText = SystemColorValue(23);
inline constexpr Color kClInfoBk = SystemColorValue(24);

// The constant colours of the button face.
inline constexpr Color kFaceBase = Rgb(214, 214, 198);
inline constexpr Color kWhite = Rgb(255, 255, 255);
inline constexpr Color kBlack = Rgb(0, 0, 0);
inline constexpr Color kFaceLight = Rgb(234, 234, 218);
inline constexpr Color kBorderEnabled = Rgb(128, 169, 211);
inline constexpr Color kBorderPressedHot = Rgb(160, 201, 243);
inline constexpr Color kBorderDisabled = Rgb(189, 189, 189);
inline constexpr Color kBorderHot = Rgb(110, 151, 193);
inline constexpr Color kHotOrange = Rgb(230, 139, 44);

// Alpha values of the 3 x 3 anti-aliased corners, row by row.
using tCornerStamp = std::array<std::uint8_t, 9>;
inline constexpr tCornerStamp kStampTopLeft = {30, 80, 200, 80, 200, 60, 200, 60, 0};
inline constexpr tCornerStamp kStampTopRight = {200, 80, 30, 60, 200, 80, 0, 60, 200};
inline constexpr tCornerStamp kStampBottomLeft = {200, 60, 0, 80, 200, 60, 30, 80, 200};
inline constexpr tCornerStamp kStampBottomRight = {0, 60, 200, 60, 200, 80, 200, 80, 30};

// A plain colour for any colour value: system colours are looked up in the system's table.
Color ResolveColor(Color color);

// Mixes two colours: weights below 100 are percent of c1, from 100 upward per mille.
Color BlendColors(Color c1, Color c2, int weight);

// Fills a rectangle line by line from startColor (top or left) to endColor (bottom or right).
void FillGradient(Canvas& canvas, const tRect& rect, Color endColor, bool vertical,
                  Color startColor);

// Adds delta to red, green and blue, each kept within 0 .. 255.
Color ShiftColor(Color color, int delta);

// The weighted distance of two colours (0 .. about 440.85).
float ColorDistance(Color c1, Color c2);

// The distance needed to stand out from a reference of the given brightness.
double RequiredContrast(double threshold, double brightness);

// Whether c1 stands out from c2 (threshold scaled by c2's brightness when `scaled`).
bool HasContrast(Color c1, Color c2, bool scaled, double threshold);

// Moves `color` along its own hue toward black or white until it stands out from `reference`.
void EnsureContrast(Color& color, Color reference, int threshold);

// Mixes `color` into one pixel with the given alpha (0 .. 255).
void BlendPixel(Canvas& canvas, int x, int y, int alpha, Color color);

// Blends a 3 x 3 corner pattern with its top-left corner at (x, y).
void DrawCornerStamp(Canvas& canvas, int x, int y, const tCornerStamp& alphas, Color color);

// A one-pixel frame, light at the left and top, dark at the bottom and right.
void DrawBevelFrame(Canvas& canvas, const tRect& rect, Color light, Color dark);

// A one-pixel outline with anti-aliased rounded corners.
void DrawRoundedOutline(Canvas& canvas, const tRect& rect, Color color);

// A rectangle shrunk (or grown, for a negative amount) on every side.
constexpr tRect Inflated(const tRect& r, int amount) {
  return {r.left - amount, r.top - amount, r.right + amount, r.bottom + amount};
}

}  // namespace dux::controls
