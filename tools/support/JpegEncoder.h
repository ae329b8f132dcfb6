#pragma once

#include <functional>
#include <span>
#include <string>

namespace dux::tools {

// Fills one row of RGB pixels (width × 3 bytes) of row number y.
using RowFiller = std::function<void(int y, std::span<unsigned char> row)>;

// A baseline JPEG made by libjpeg from an RGB image of width × height at the given quality.
std::string EncodeRgbJpeg(int width, int height, int quality, const RowFiller& fillRow);

}  // namespace dux::tools
