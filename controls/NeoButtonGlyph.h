#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/NeoUtils.h"

namespace dux::controls {

using platform::tBitmap;
using platform::tFont;

// The visual states of a glyph button, in the order of the images in a glyph strip.
enum class ButtonState { kUp = 0, kDisabled = 1, kPressed = 2, kHeldDown = 3 };

enum class ButtonLayout { kGlyphLeft, kGlyphRight, kGlyphTop, kGlyphBottom };

// An image list of one image size: slots that hold an image and the colour drawn transparent.
class TNeoGlyphList {
 public:
  TNeoGlyphList(int width, int height) : width_(width), height_(height) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return count_; }
  // Stores the image in the first free slot and returns the slot's index.
  int Add(tBitmap image, Color transparent);
  void Delete(int index);
  // Draws a slot's image; its transparent colour is left out, or drawn in `background`.
  void Draw(Canvas& canvas, int index, int x, int y, std::optional<Color> background) const;

 private:
  struct tSlot {
    tBitmap image;
    Color transparent = 0;
  };
  int width_;
  int height_;
  std::vector<std::optional<tSlot>> slots_;
  int count_ = 0;
};

// The process-wide set of image lists shared by all glyph buttons, one list per image size.
class TNeoGlyphCache {
 public:
  // The last-added list of exactly this size, created when there is none.
  TNeoGlyphList* GetList(int width, int height);
  // Destroys the list when no slot of it is used any more.
  void ReturnList(TNeoGlyphList* list);
  bool Empty() const { return lists_.empty(); }
  int ListCount() const { return static_cast<int>(lists_.size()); }

 private:
  std::vector<std::unique_ptr<TNeoGlyphList>> lists_;
};

// The cache, created on first use; null while none exists.
TNeoGlyphCache& GlyphCache();
TNeoGlyphCache* GlyphCacheIfCreated();
// Destroys the cache when it holds no list.
void ReleaseGlyphCacheIfEmpty();

// Where glyph and caption go inside a button.
struct tGlyphLayout {
  int glyphX = 0, glyphY = 0;
  tRect textRect;
};

struct tGlyphLayoutInput {
  tRect client;
  platform::tSize glyph;
  platform::tSize text;
  ButtonLayout layout = ButtonLayout::kGlyphLeft;
  int margin = -1;
  int spacing = 4;
  bool rightToLeft = false;
};
tGlyphLayout LayOutGlyph(const tGlyphLayoutInput& in);

// The glyph of one button: the strip, its images per state built on first use into a shared
// list, and the drawing of glyph and caption.
class TNeoButtonGlyph {
 public:
  TNeoButtonGlyph() = default;
  ~TNeoButtonGlyph();
  TNeoButtonGlyph(const TNeoButtonGlyph&) = delete;
  TNeoButtonGlyph& operator=(const TNeoButtonGlyph&) = delete;

  const tBitmap& Glyph() const { return glyph_; }
  // A strip of images; `fixedTransparent` when the bitmap names its transparent colour.
  void SetGlyph(const tBitmap& glyph, std::optional<Color> fixedTransparent = std::nullopt);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);
  Color TransparentColor() const { return transparentColor_; }
  platform::tSize ImageSize() const;
  // The slot of a state's image, or -1 while not built.
  int ImageIndex(ButtonState state) const { return indexes_[static_cast<std::size_t>(state)]; }
  const TNeoGlyphList* List() const { return list_; }

  // Builds (once) and returns the slot of the state's image; -1 without a glyph.
  int CreateButtonGlyph(ButtonState state, int screenColorCount);
  // The image a state shows, as it is stored in the list (for tests and drawing).
  tBitmap StateImage(ButtonState state, int screenColorCount) const;
  // Drops all built images.
  void Invalidate();

  struct tDrawRequest {
    tRect client;
    platform::tPoint offset;
    std::string caption;
    tFont font;
    Color fontColor = 0;
    ButtonLayout layout = ButtonLayout::kGlyphLeft;
    int margin = -1;
    int spacing = 4;
    ButtonState state = ButtonState::kUp;
    bool transparent = true;
    bool rightToLeft = false;
    int screenColorCount = 16777216;
  };
  // Draws glyph and caption; returns where they went.
  tGlyphLayout Draw(Canvas& canvas, const tDrawRequest& request);

 private:
  tBitmap Strip(int index) const;
  Color MaskColor(const tBitmap& image) const;

  tBitmap glyph_;
  int numGlyphs_ = 1;
  Color transparentColor_ = 0;
  std::optional<Color> fixedTransparent_;
  TNeoGlyphList* list_ = nullptr;
  std::array<int, 4> indexes_ = {-1, -1, -1, -1};
};

}  // namespace dux::controls
