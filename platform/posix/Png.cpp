#include <cstdio>
#include <memory>
#include <vector>

#include <png.h>

#include "platform/MemoryCanvas.h"

namespace dux::platform {
namespace {

// Writes the image through libpng; false when libpng reports an error (it jumps back here, so
// nothing that lives across the jump is changed after setjmp).
bool WriteImage(png_structp png, png_infop info, std::FILE* out, const tBitmap& image,
                png_bytep row) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_init_io(png, out);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const Color c = image.At(x, y);
      png_bytep pixel = row + static_cast<std::size_t>(x) * 3;
      pixel[0] = static_cast<png_byte>(RedOf(c));
      pixel[1] = static_cast<png_byte>(GreenOf(c));
      pixel[2] = static_cast<png_byte>(BlueOf(c));
    }
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool SavePng(const tBitmap& image, const std::string& path) {
  if (image.Empty()) return false;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!out) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<png_byte> row(static_cast<std::size_t>(image.width) * 3);
  const bool written = info != nullptr && WriteImage(png, info, out.get(), image, row.data());
  png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
  return written && std::fflush(out.get()) == 0;
}

}  // namespace dux::platform
