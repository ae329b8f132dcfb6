#include "controls/NeoButtonGlyph.h"

#include <algorithm>

namespace dux::controls {
namespace {

using platform::kTextCenter;
using platform::kTextRtlReading;
using platform::kTextSingleLine;
using platform::kTextVCenter;
using platform::tSize;

constexpr Color kGrey = Rgb(128, 128, 128);

std::unique_ptr<TNeoGlyphCache>& CacheSlot() {
  static std::unique_ptr<TNeoGlyphCache> cache;
  return cache;
}

Color BottomLeft(const tBitmap& image) {
  return image.Empty() ? 0 : image.At(0, image.height - 1) & 0xFFFFFF;
}

// The classic embossed look of a disabled one-image glyph: the shape in button highlight one
// pixel right and down, then in button shadow, on button face.
tBitmap Embossed(const tBitmap& image, Color transparent) {
  const Color face = ResolveColor(kClBtnFace);
  tBitmap result(image.width, image.height, face);
  for (int pass = 0; pass < 2; ++pass) {
    const int shift = pass == 0 ? 1 : 0;
    const Color color = ResolveColor(pass == 0 ? kClBtnHighlight : kClBtnShadow);
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        if ((image.At(x, y) & 0xFFFFFF) == transparent) continue;
        if (x + shift < image.width && y + shift < image.height)
          result.Set(x + shift, y + shift, color);
      }
    }
  }
  return result;
}

// A disabled image for a palette screen: white, grey and the background turned into the
// system's highlight, shadow and face colours.
tBitmap Recoloured(tBitmap image, Color transparent) {
  for (Color& pixel : image.pixels) {
    const Color c = pixel & 0xFFFFFF;
    if (c == kWhite) {
      pixel = ResolveColor(kClBtnHighlight);
    } else if (c == kGrey) {
      pixel = ResolveColor(kClBtnShadow);
    } else if (c == transparent) {
      pixel = ResolveColor(kClBtnFace);
    }
  }
  return image;
}

// Every pixel but the background faded to 20 % of its own colour toward button face.
tBitmap Faded(tBitmap image) {
  const Color transparent = BottomLeft(image);
  for (Color& pixel : image.pixels) {
    if ((pixel & 0xFFFFFF) != transparent) pixel = BlendColors(pixel, kClBtnFace, 20);
  }
  return image;
}

// Where the glyph and the caption start along the layout axis.
std::pair<int, int> AlongAxis(int size, int glyph, int text, int margin, int spacing,
                              bool leading) {
  if (text == 0 || glyph == 0) spacing = 0;
  if (margin == -1 && spacing == -1) {
    margin = spacing = (size - (glyph + text)) / 3;
  } else if (margin == -1) {
    margin = (size - (glyph + spacing + text) + 1) / 2;
  } else if (spacing == -1) {
    spacing = (size - (margin + glyph) - text) / 2;
  }
  if (leading) return {margin, margin + glyph + spacing};
  const int glyphPos = size - margin - glyph;
  return {glyphPos, glyphPos - spacing - text};
}

}  // namespace

int TNeoGlyphList::Add(tBitmap image, Color transparent) {
  auto free = std::find_if(slots_.begin(), slots_.end(),
                           [](const auto& slot) { return !slot.has_value(); });
  if (free == slots_.end()) free = slots_.insert(slots_.end(), std::nullopt);
  *free = tSlot{std::move(image), transparent & 0xFFFFFF};
  ++count_;
  return static_cast<int>(free - slots_.begin());
}

void TNeoGlyphList::Delete(int index) {
  if (index < 0 || index >= static_cast<int>(slots_.size())) return;
  auto& slot = slots_[static_cast<std::size_t>(index)];
  if (!slot) return;
  slot.reset();
  --count_;
}

void TNeoGlyphList::Draw(Canvas& canvas, int index, int x, int y,
                         std::optional<Color> background) const {
  if (index < 0 || index >= static_cast<int>(slots_.size())) return;
  const auto& slot = slots_[static_cast<std::size_t>(index)];
  if (!slot) return;
  if (background) {
    canvas.FillRect({x, y, x + slot->image.width, y + slot->image.height},
                    ResolveColor(*background));
  }
  canvas.DrawBitmap(slot->image, x, y, slot->transparent);
}

TNeoGlyphList* TNeoGlyphCache::GetList(int width, int height) {
  for (auto it = lists_.rbegin(); it != lists_.rend(); ++it) {
    if ((*it)->Width() == width && (*it)->Height() == height) return it->get();
  }
  lists_.push_back(std::make_unique<TNeoGlyphList>(width, height));
  return lists_.back().get();
}

void TNeoGlyphCache::ReturnList(TNeoGlyphList* list) {
  if (list == nullptr || list->Count() != 0) return;
  std::erase_if(lists_, [list](const auto& owned) { return owned.get() == list; });
}

TNeoGlyphCache& GlyphCache() {
  auto& cache = CacheSlot();
  if (!cache) cache = std::make_unique<TNeoGlyphCache>();
  return *cache;
}

TNeoGlyphCache* GlyphCacheIfCreated() { return CacheSlot().get(); }

void ReleaseGlyphCacheIfEmpty() {
  auto& cache = CacheSlot();
  if (cache && cache->Empty()) cache.reset();
}

tGlyphLayout LayOutGlyph(const tGlyphLayoutInput& in) {
  ButtonLayout layout = in.layout;
  if (in.rightToLeft && layout == ButtonLayout::kGlyphLeft) {
    layout = ButtonLayout::kGlyphRight;
  } else if (in.rightToLeft && layout == ButtonLayout::kGlyphRight) {
    layout = ButtonLayout::kGlyphLeft;
  }
  const tSize client{in.client.Width(), in.client.Height()};
  const bool horizontal = layout == ButtonLayout::kGlyphLeft || layout == ButtonLayout::kGlyphRight;
  const bool leading = layout == ButtonLayout::kGlyphLeft || layout == ButtonLayout::kGlyphTop;
  tGlyphLayout out;
  if (horizontal) {
    const auto [glyphX, textX] =
        AlongAxis(client.width, in.glyph.width, in.text.width, in.margin, in.spacing, leading);
    out.glyphX = glyphX;
    out.glyphY = (client.height - in.glyph.height + 1) / 2;
    out.textRect = {textX, (client.height - in.text.height + 1) / 2, 0, 0};
  } else {
    const auto [glyphY, textY] =
        AlongAxis(client.height, in.glyph.height, in.text.height, in.margin, in.spacing, leading);
    out.glyphX = (client.width - in.glyph.width + 1) / 2;
    out.glyphY = glyphY;
    out.textRect = {(client.width - in.text.width + 1) / 2, textY, 0, 0};
  }
  out.glyphX += in.client.left;
  out.glyphY += in.client.top;
  out.textRect.left += in.client.left;
  out.textRect.top += in.client.top;
  out.textRect.right = out.textRect.left + in.text.width;
  out.textRect.bottom = out.textRect.top + in.text.height;
  return out;
}

TNeoButtonGlyph::~TNeoButtonGlyph() {
  Invalidate();
  ReleaseGlyphCacheIfEmpty();
}

void TNeoButtonGlyph::SetGlyph(const tBitmap& glyph, std::optional<Color> fixedTransparent) {
  Invalidate();
  glyph_ = glyph;
  fixedTransparent_ = fixedTransparent;
  if (glyph_.Empty()) return;
  transparentColor_ = fixedTransparent ? *fixedTransparent & 0xFFFFFF : BottomLeft(glyph_);
  if (glyph_.width % glyph_.height == 0) {
    const int images = glyph_.width / glyph_.height;
    numGlyphs_ = images < 5 ? images : 1;
  }
}

void TNeoButtonGlyph::SetNumGlyphs(int value) {
  Invalidate();
  numGlyphs_ = std::clamp(value, 1, 4);
}

platform::tSize TNeoButtonGlyph::ImageSize() const {
  if (glyph_.Empty()) return {};
  return {glyph_.width / numGlyphs_, glyph_.height};
}

void TNeoButtonGlyph::Invalidate() {
  for (int& index : indexes_) {
    if (index != -1 && list_ != nullptr) list_->Delete(index);
    index = -1;
  }
  if (list_ != nullptr) {
    GlyphCache().ReturnList(list_);
    list_ = nullptr;
  }
}

tBitmap TNeoButtonGlyph::Strip(int index) const {
  const auto size = ImageSize();
  tBitmap image(size.width, size.height);
  const int left = std::clamp(index, 0, numGlyphs_ - 1) * size.width;
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) image.Set(x, y, glyph_.At(left + x, y) & 0xFFFFFF);
  }
  return image;
}

Color TNeoButtonGlyph::MaskColor(const tBitmap& image) const {
  return fixedTransparent_ ? transparentColor_ : BottomLeft(image);
}

tBitmap TNeoButtonGlyph::StateImage(ButtonState state, int screenColorCount) const {
  if (state == ButtonState::kDisabled) {
    const tBitmap source = Strip(numGlyphs_ >= 2 ? 1 : 0);
    if (screenColorCount > 256) return Faded(source);
    if (numGlyphs_ >= 2) return Recoloured(source, BottomLeft(source));
    return Embossed(source, BottomLeft(source));
  }
  // An image the strip does not hold falls back: held down to pressed, pressed to up.
  int index = static_cast<int>(state);
  if (index == static_cast<int>(ButtonState::kHeldDown) && index >= numGlyphs_) {
    index = static_cast<int>(ButtonState::kPressed);
  }
  if (index == static_cast<int>(ButtonState::kPressed) && index >= numGlyphs_) index = 0;
  return Strip(index);
}

int TNeoButtonGlyph::CreateButtonGlyph(ButtonState state, int screenColorCount) {
  if (glyph_.Empty()) return -1;
  int& index = indexes_[static_cast<std::size_t>(state)];
  if (index != -1) return index;
  const auto size = ImageSize();
  if (list_ == nullptr) list_ = GlyphCache().GetList(size.width, size.height);
  tBitmap image = StateImage(state, screenColorCount);
  const Color mask = MaskColor(image);
  index = list_->Add(std::move(image), mask);
  return index;
}

tGlyphLayout TNeoButtonGlyph::Draw(Canvas& canvas, const tDrawRequest& r) {
  const unsigned flags = kTextSingleLine | (r.rightToLeft ? kTextRtlReading : 0u);
  const tSize text = r.caption.empty() ? tSize{} : canvas.MeasureText(r.caption, r.font, flags);
  tGlyphLayout place =
      LayOutGlyph({r.client, ImageSize(), text, r.layout, r.margin, r.spacing, r.rightToLeft});
  place.glyphX += r.offset.x;
  place.glyphY += r.offset.y;
  place.textRect = place.textRect.Moved(r.offset.x, r.offset.y);
  const int index = CreateButtonGlyph(r.state, r.screenColorCount);
  if (index != -1 && list_ != nullptr) {
    const bool transparent = r.transparent || r.state == ButtonState::kHeldDown;
    list_->Draw(canvas, index, place.glyphX, place.glyphY,
                transparent ? std::nullopt : std::optional<Color>(kClBtnFace));
  }
  if (r.caption.empty()) return place;
  const unsigned textFlags = flags | kTextCenter | kTextVCenter;
  if (r.state == ButtonState::kDisabled) {
    canvas.DrawText(r.caption, place.textRect.Moved(1, 1), r.font, ResolveColor(kClBtnHighlight),
                    textFlags);
    canvas.DrawText(r.caption, place.textRect, r.font, ResolveColor(kClBtnShadow), textFlags);
  } else {
    canvas.DrawText(r.caption, place.textRect, r.font, ResolveColor(r.fontColor), textFlags);
  }
  return place;
}

}  // namespace dux::controls
