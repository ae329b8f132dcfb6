#include "controls/TControl.h"

#include <algorithm>

#include "text/AsciiText.h"

namespace dux::controls {

TControl::TControl(TControl* parent) { SetParent(parent); }

TControl::~TControl() {
  const auto listeners = listeners_;
  for (TControl* listener : listeners) {
    listener->Notification(this);
    listener->RemoveListener(this);
  }
  for (TControl* child : children_) child->parent_ = nullptr;
  SetParent(nullptr);
}

void TControl::SetParent(TControl* parent) {
  if (parent_ == parent) return;
  if (parent_ != nullptr) std::erase(parent_->children_, this);
  parent_ = parent;
  if (parent_ != nullptr) {
    tabOrder_ = static_cast<int>(parent_->children_.size());
    parent_->children_.push_back(this);
  }
}

void TControl::SetTabOrder(int order) { tabOrder_ = order; }

TControl* TControl::FindControl(const std::string& name) {
  if (name_ == name) return this;
  for (TControl* child : children_) {
    if (TControl* found = child->FindControl(name)) return found;
  }
  return nullptr;
}

void TControl::MouseMove(int x, int y) {
  if (onMouseMove) onMouseMove(x, y);
}

std::vector<WindowClient*> TControl::TabOrderedChildren() const {
  std::vector<TControl*> ordered = children_;
  std::stable_sort(ordered.begin(), ordered.end(), [](const TControl* a, const TControl* b) {
    return a->tabOrder_ < b->tabOrder_;
  });
  return {ordered.begin(), ordered.end()};
}

void TControl::SetBounds(int left, int top, int width, int height) {
  bounds_ = {left, top, left + width, top + height};
  Invalidate();
}

void TControl::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Invalidate();
}

Color TControl::GetColor() const {
  if (parentColor_ && parent_ != nullptr) return parent_->GetColor();
  return color_;
}

void TControl::SetColor(Color color) {
  color_ = color;
  parentColor_ = false;
  Invalidate();
}

void TControl::SetParentColor(bool value) {
  parentColor_ = value;
  Invalidate();
}

const tFont& TControl::Font() const {
  if (parentFont_ && parent_ != nullptr) return parent_->Font();
  return font_;
}

Color TControl::FontColor() const {
  if (parentFont_ && parent_ != nullptr) return parent_->FontColor();
  return fontColor_;
}

void TControl::SetFont(const tFont& font, Color color) {
  font_ = font;
  fontColor_ = color;
  parentFont_ = false;
  Invalidate();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Invalidate();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void TControl::SetRightToLeft(bool value) {
  rightToLeft_ = value;
  Invalidate();
}

void TControl::Invalidate() {
  ++paintRequests_;
  if (Surface() != nullptr) Surface()->Invalidate();
}

void TControl::FreeNotification(TControl* other) {
  if (other == nullptr || other == this) return;
  if (std::find(other->listeners_.begin(), other->listeners_.end(), this) ==
      other->listeners_.end()) {
    other->listeners_.push_back(this);
  }
  if (std::find(listeners_.begin(), listeners_.end(), other) == listeners_.end()) {
    listeners_.push_back(other);  // so each side can forget the other when it goes first
  }
}

void TControl::RemoveListener(TControl* listener) { std::erase(listeners_, listener); }

char AcceleratorOf(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return caption[i + 1];
    ++i;
  }
  return 0;
}

bool IsAccelerator(char key, const std::string& caption) {
  const char accelerator = AcceleratorOf(caption);
  return accelerator != 0 && AsciiUpper(key) == AsciiUpper(accelerator);
}

}  // namespace dux::controls
